#include "reference_table.h"

#include "game/game_state.h"
#include "game/table_geometry.h"
#include "tools/table_probe/table_probe.h"
#include "vexlib/exports.h"

namespace {

int referenceResult = -1;
void OnReferenceVictory(int result) {
    referenceResult = result;
}

QString Hex(uint64_t fingerprint) {
    return QString::fromStdString(table_probe::Hex(fingerprint));
}

}  // namespace

ReferenceTable::ReferenceTable(int seed) {
    referenceResult = -1;
    SetaCallBackVitoria(OnReferenceVictory);
    IniciaPartida(1, seed);
}

ReferenceTable::~ReferenceTable() {
    SetaCallBackVitoria(nullptr);
}

int ReferenceTable::Side() const {
    return GetPlayer_Atual();
}
bool ReferenceTable::Decided() const {
    return referenceResult >= 0;
}
int ReferenceTable::Result() const {
    return referenceResult;
}
QString ReferenceTable::Fingerprint() const {
    return Hex(table_probe::FullFingerprint());
}
QString ReferenceTable::SharedFingerprint() const {
    return Hex(table_probe::SharedFingerprint());
}

wire::Positions ReferenceTable::Positions() const {
    wire::Positions p{};
    for (int disc = 1; disc <= wire::kSyncedDiscs; ++disc) {
        p[(disc - 1) * 2] = GetDiscoX(disc);
        p[(disc - 1) * 2 + 1] = GetDiscoZ(disc);
    }
    return p;
}

ai::Shot ReferenceTable::ChooseShot(bool quiet) const {
    const auto score = [quiet](const ai::ShotResult& r) {
        if (quiet) return r.ownPocketed + r.otherPocketed == 0 && !r.strikerFell ? 0 : -1000;
        return 10 * r.ownPocketed - 12 * r.otherPocketed - 15 * r.strikerFell;
    };
    const auto shot = ai::FindShot(Game(), score, -1000000);
    return shot.value_or(
        ai::Shot{0.0f, Side() == 0 ? table::kShootingLineZ : -table::kShootingLineZ, 10.0f, 0.0f});
}

std::optional<ai::Shot> ReferenceTable::ReturningShot() const {
    return ai::FindShot(
        Game(), [](const ai::ShotResult& r) { return r.discReturned ? 1 : 0; }, 0);
}

void ReferenceTable::Play(const ai::Shot& shot) {
    SetPlayer_Host(Side());
    DispararTiro(shot.x, shot.z, shot.force, shot.angle);
    table_probe::RunShotToRest();
}

QString ShootCommand(const ai::Shot& s) {
    // Nine significant digits carry every float through text unchanged.
    return QStringLiteral("shoot %1 %2 %3 %4")
        .arg(double(s.x), 0, 'g', 9)
        .arg(double(s.z), 0, 'g', 9)
        .arg(double(s.force), 0, 'g', 9)
        .arg(double(s.angle), 0, 'g', 9);
}

::testing::AssertionResult Settles(PeerProcess& peer, const QString& field,
                                   const QString& expected, int timeoutMs) {
    QMap<QString, QString> state;
    const bool settled = SpinUntil([&] {
        state = peer.State();
        return state["moving"] == "0" && state["queue"] == "0" && state[field] == expected;
    }, timeoutMs);
    if (settled) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << peer.Name().toStdString() << " " << field.toStdString() << "="
           << state[field].toStdString() << " expected " << expected.toStdString()
           << " (moving=" << state["moving"].toStdString()
           << " queue=" << state["queue"].toStdString() << ")";
}

::testing::AssertionResult NoDesync(PeerProcess& host, std::initializer_list<int> ids) {
    const int from = host.LineCount();
    host.Send("chat /vsync");
    for (int id : ids) {
        if (host.WaitForLine(QStringLiteral("CHAT No desync at ID %1").arg(id), from) < 0) {
            return ::testing::AssertionFailure()
                   << "no clean report for ID " << id
                   << "; last line: " << host.Lines().last().toStdString();
        }
    }
    return ::testing::AssertionSuccess();
}
