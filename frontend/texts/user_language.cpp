#include "frontend/texts/user_language.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array kSpanishTerritories = {
    QLocale::Spain,      QLocale::Mexico,   QLocale::Guatemala,
    QLocale::CostaRica,  QLocale::Panama,   QLocale::DominicanRepublic,
    QLocale::Venezuela,  QLocale::Colombia, QLocale::Peru,
    QLocale::Argentina,  QLocale::Ecuador,  QLocale::Chile,
    QLocale::Uruguay,    QLocale::Paraguay, QLocale::Bolivia,
    QLocale::ElSalvador, QLocale::Honduras, QLocale::Nicaragua,
    QLocale::PuertoRico};

}  // namespace

int UiLanguageFor(const QLocale& locale) {
    const QLocale::Territory territory = locale.territory();
    if (locale.language() == QLocale::Portuguese &&
        (territory == QLocale::Brazil || territory == QLocale::Portugal))
        return kLanguagePortuguese;
    if (locale.language() == QLocale::Spanish &&
        std::find(kSpanishTerritories.begin(), kSpanishTerritories.end(), territory) !=
            kSpanishTerritories.end())
        return kLanguageSpanish;
    return kLanguageEnglish;
}
