// The settings file as the real window writes it: each form's section holds
// that form's place and fields and nothing of the dialogs it parents, and
// what one dialog keeps never reaches another.
#include <QFile>
#include <string>
#include <utility>
#include <vector>

#include "tests/frontend/window/window_fixture.h"

namespace {

using Sections = std::vector<std::pair<std::string, std::vector<std::string>>>;

// The file's sections in order, each with its keys in order.
Sections SectionsAndKeys(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    Sections sections;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QByteArray text = line.trimmed();
        const qsizetype equals = text.indexOf('=');
        if (text.startsWith('[') && text.endsWith(']')) {
            sections.push_back({text.mid(1, text.size() - 2).toStdString(), {}});
        } else if (equals > 0 && !sections.empty()) {
            sections.back().second.push_back(text.left(equals).toStdString());
        }
    }
    return sections;
}

TEST_F(WindowTest, TheFirstRunsFileHoldsEachFormsOwnPlaceAndFieldsAndTheMenusOptions) {
    Open();
    window->close();
    const std::vector<std::string> place = {"_X", "_Y", "_Width", "_Height", "Max"};
    const auto placeAnd = [&](std::vector<std::string> fields) {
        fields.insert(fields.begin(), place.begin(), place.end());
        return fields;
    };
    // Empty fields (the passwords, the own address of a create dialog never
    // shown) are not written.
    const Sections expected = {
        {"Encript", {"Enable"}},
        {"main", placeAnd({"Nick"})},
        {"conectarf", placeAnd({"IP", "Porta"})},
        {"criarf", placeAnd({"Porta"})},
        {"mousesen", placeAnd({"TrackBar1"})},
        {"about", place},
        {"Config",
         {"Luz especular", "Reflex\xE3o", "Qualidade", "Taxa de atualiza\xE7\xE3o",
          "Efeitos sonoros", "Musica", "Efeitos do chat", "Modo Ortogral"}},
    };
    EXPECT_EQ(SectionsAndKeys(SettingsPath()), expected);
}

TEST_F(WindowTest, ThePasswordOfAHostedGameNeverBecomesTheJoinDialogsAfterARestart) {
    Open();
    Player().Fill(Part::CreatePassword, "hosting");
    Player().Fill(Part::JoinAddress, "10.1.2.3");
    Player().SetSensitivity(250);
    window->close();

    window.reset();
    Open();
    MainWindowDriver player = Player();
    EXPECT_EQ(player.Text(Part::JoinPassword), "");
    EXPECT_EQ(player.Text(Part::CreatePassword), "hosting");
    EXPECT_EQ(player.Text(Part::JoinAddress), "10.1.2.3");
    EXPECT_EQ(player.Sensitivity(), 250);
}

}  // namespace
