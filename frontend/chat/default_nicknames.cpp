#include "frontend/chat/default_nicknames.h"

#include <QRandomGenerator>
#include <array>

namespace {

constexpr std::array<const char*, kDefaultNicknameCount> kNames = {
    "a bad guy",  "a good guy", "what mess!", "lucky shot", "disc eater", "holed it!",
    "mr. yellow", "big green",  "red alert",  "the cue",    "slow hand",  "fast thumb",
    "no mercy",   "sir pocket", "lady luck",  "bank shot",  "the wall",   "rebound",
    "corner man", "edge lord",  "mr. spin",   "breaker",    "clean shot", "table talk",
    "dizzy disc", "oops again", "nice try",   "big thumb",  "tiny flick", "soft touch",
    "big hitter", "the shark",  "sleepy",     "grumpy",     "happy feet", "the rookie",
    "old timer",  "champion?",  "almost!",    "next time",  "no way!",    "so close",
    "the ghost",  "shadow",     "lightning",  "thunder",    "the storm",  "calm sea",
    "cool cat",   "hot shot",   "the judge",  "the doctor", "professor",  "captain",
    "sergeant",   "the rocket", "snail mail", "turtle",     "rabbit",     "fox",
    "night owl",  "early bird", "lazy lion",  "sly snake",  "busy bee",   "magician",
    "the joker",  "the wizard", "mr. nobody", "somebody",   "anybody",    "who am i?",
    "not me",     "guess who",  "stranger",   "lost disc",  "found it",   "try harder",
    "easy peasy", "no problem", "big deal",   "small fry",  "top dog",    "underdog",
    "wild card",  "ace",        "deuce",      "the king",   "the queen",  "the jack",
    "bull's eye", "on target",  "off target", "wide left",  "wide right", "dead on",
    "the angle",  "full force", "half power", "zero power", "pocketful",  "empty hand",
    "collector",  "the thief",  "robin hood", "the bandit", "sheriff",    "outlaw",
    "cowboy",     "the pilot",  "astronaut",  "martian",    "the robot",  "cyborg",
    "mr. roboto", "disco disc", "rock star",  "pop idol",   "jazz hands", "drummer",
};

}  // namespace

QString DefaultNickname(int index) {
    return QString::fromUtf8(kNames.at(index));
}

QString RandomDefaultNickname() {
    return DefaultNickname(
        static_cast<int>(QRandomGenerator::global()->bounded(kDefaultNicknameCount)));
}
