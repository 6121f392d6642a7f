#include "frontend/ui/form_walker.h"

#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <algorithm>

#include "frontend/settings/ini_scrambler.h"
#include "frontend/ui/form_placement.h"
#include "frontend/wire/wire_text.h"

namespace {

constexpr char kFlagSection[] = "Encript";
constexpr char kFlagKey[] = "Enable";

enum class ControlKind { NotKept, Edit, TrackBar, Label };

ControlKind KindOf(const QWidget& control) {
    if (qobject_cast<const QLineEdit*>(&control)) return ControlKind::Edit;
    if (qobject_cast<const QSlider*>(&control)) return ControlKind::TrackBar;
    if (qobject_cast<const QLabel*>(&control) && control.property(kTagProperty).toInt() > 0) {
        return ControlKind::Label;
    }
    return ControlKind::NotKept;
}

QString ValueOf(const QWidget& control) {
    switch (KindOf(control)) {
        case ControlKind::Edit:
            return static_cast<const QLineEdit&>(control).text();
        case ControlKind::TrackBar:
            return QString::number(static_cast<const QSlider&>(control).value());
        case ControlKind::Label:
            return static_cast<const QLabel&>(control).text();
        case ControlKind::NotKept:
            break;
    }
    return {};
}

void Apply(QWidget& control, const QByteArray& value) {
    switch (KindOf(control)) {
        case ControlKind::Edit:
            static_cast<QLineEdit&>(control).setText(FromWireText(value));
            break;
        case ControlKind::TrackBar:
            if (const std::optional<int> position = ParseIniInteger(value)) {
                static_cast<QSlider&>(control).setValue(*position);
            }
            break;
        case ControlKind::Label:
            static_cast<QLabel&>(control).setText(FromWireText(value));
            break;
        case ControlKind::NotKept:
            break;
    }
}

bool ScrambledIn(const IniDocument& document) {
    const QByteArray flag = document.Value(kFlagSection, kFlagKey).value_or("0");
    return ParseIniInteger(flag).value_or(0) != 0;
}

// One form's section, plain or scrambled.
class FormSection {
public:
    FormSection(const QWidget& form, bool scramble)
        : scramble_(scramble), name_(Scrambled(ToWireText(form.objectName()))) {}

    const QByteArray& Name() const { return name_; }
    // The text as this section holds it: through the scrambler when it is on.
    QByteArray Scrambled(const QByteArray& text) const { return scramble_ ? Scramble(text) : text; }
    QByteArray Key(const QWidget& control) const {
        return Scrambled(ToWireText(control.objectName()));
    }

    bool Write(IniDocument& document, QByteArrayView key, const QString& value) const {
        return document.SetValue(name_, key, Scrambled(ToWireText(value)));
    }
    void Remove(IniDocument& document, QByteArrayView key) const { document.RemoveKey(name_, key); }

    std::optional<QByteArray> Read(const IniDocument& document, QByteArrayView key) const {
        const std::optional<QByteArray> stored = document.Value(name_, key);
        if (!stored) return std::nullopt;
        return Scrambled(*stored);  // scrambling twice gives the text back
    }
    std::optional<int> ReadNumber(const IniDocument& document, const char* key) const {
        const std::optional<QByteArray> text = Read(document, key);
        if (!text) return std::nullopt;
        const std::optional<int> number = ParseIniInteger(*text);
        if (!number) qWarning("settings: %s in a form's section is not a number; ignored", key);
        return number;
    }

private:
    bool scramble_;
    QByteArray name_;
};

}  // namespace

FormWalker::FormWalker(std::vector<QWidget*> forms, std::vector<const QWidget*> notKept)
    : forms_(std::move(forms)), notKept_(std::move(notKept)) {}

std::vector<QWidget*> FormWalker::KeptControls(const QWidget& form, Owner owner) const {
    std::vector<QWidget*> kept;
    // Depth first in the order children were added: the order of creation.
    for (QWidget* control : form.findChildren<QWidget*>()) {
        // A dialog parented to the form is a form of its own, with its own
        // section; so is any other window below it.
        if ((control->window() == &form) != (owner == Owner::Form)) continue;
        const QString name = control->objectName();
        // "qt_" names belong to the parts Qt builds inside its own widgets.
        if (name.isEmpty() || name.startsWith(u"qt_")) continue;
        if (std::find(notKept_.begin(), notKept_.end(), control) != notKept_.end()) continue;
        if (KindOf(*control) != ControlKind::NotKept) kept.push_back(control);
    }
    return kept;
}

void FormWalker::DropOtherFormsKeys(IniDocument& document, const QWidget& form,
                                    bool scramble) const {
    const FormSection section(form, scramble);
    const std::vector<QWidget*> own = KeptControls(form, Owner::Form);
    for (const QWidget* control : KeptControls(form, Owner::OtherForm)) {
        const QByteArray key = section.Key(*control);
        const bool ownKey = std::any_of(own.begin(), own.end(), [&](const QWidget* mine) {
            return section.Key(*mine).compare(key, Qt::CaseInsensitive) == 0;
        });
        if (!ownKey) section.Remove(document, key);
    }
}

bool FormWalker::Save(IniDocument& document, bool scramble) const {
    const bool wasScrambled = ScrambledIn(document);
    bool complete = document.SetValue(kFlagSection, kFlagKey, scramble ? "1" : "0");
    for (const QWidget* form : forms_) {
        // Sections written the other way would only be read again as stale data.
        if (wasScrambled != scramble)
            document.RemoveSection(FormSection(*form, wasScrambled).Name());
        const FormSection section(*form, scramble);
        const auto write = [&](QByteArrayView key, const QString& value) {
            complete = section.Write(document, key, value) && complete;
        };
        const QRect rect = StoredRectOf(*form);
        write("_X", QString::number(rect.x()));
        write("_Y", QString::number(rect.y()));
        write("_Width", QString::number(rect.width()));
        write("_Height", QString::number(rect.height()));
        write("Max", QString::number(form->isMaximized() ? 1 : 0));
        DropOtherFormsKeys(document, *form, scramble);
        for (const QWidget* control : KeptControls(*form, Owner::Form)) {
            const QString value = ValueOf(*control);
            // An emptied field must not come back from an older save.
            if (value.isEmpty()) {
                section.Remove(document, section.Key(*control));
            } else {
                write(section.Key(*control), value);
            }
        }
    }
    return complete;
}

void FormWalker::Restore(const IniDocument& document) const {
    const bool scramble = ScrambledIn(document);
    for (QWidget* form : forms_) {
        const FormSection section(*form, scramble);
        FormPlacement placement;
        placement.left = section.ReadNumber(document, "_X");
        placement.top = section.ReadNumber(document, "_Y");
        placement.width = section.ReadNumber(document, "_Width");
        placement.height = section.ReadNumber(document, "_Height");
        placement.maximised = section.ReadNumber(document, "Max") == 1;
        ApplyPlacement(*form, placement);
        for (QWidget* control : KeptControls(*form, Owner::Form)) {
            if (const std::optional<QByteArray> value =
                    section.Read(document, section.Key(*control))) {
                Apply(*control, *value);
            }
        }
    }
}
