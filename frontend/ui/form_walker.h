// Saves and restores every form of the program in the settings file: each
// form's place, size and maximised state, and the value of each of its named
// controls of a kept kind, in the section named after the form:
//   - a line edit keeps its text,
//   - a slider (the track bar) its position, in decimal,
//   - a label whose "tag" property is greater than 0 its text.
// An empty value is not kept: its key leaves the file. Controls of other
// kinds, unnamed ones and those listed as not kept are neither saved nor
// restored, whatever the file holds for them.
//
// A form's controls are those in its own window: a dialog parented to the
// main window is a form of its own, kept in its own section only. Earlier
// versions also wrote the dialogs' fields into the main window's section;
// those copies are never read, and the next save takes them out (a stale
// password must not outlive the one the player cleared), while every other
// key the program does not know stays in the file.
//
// With scrambling on, the form names used as sections, the control names used
// as keys and every value pass through the scrambler; the section "Encript",
// whose key "Enable" says whether the rest is scrambled, and the keys "_X",
// "_Y", "_Width", "_Height" and "Max" do not. Saving the other way than the
// file holds drops the forms' sections written the old way.
#pragma once

#include <QWidget>
#include <vector>

#include "frontend/settings/ini_document.h"

// The dynamic property that marks a label as kept when greater than 0.
inline constexpr char kTagProperty[] = "tag";

class FormWalker {
public:
    // forms: in the order they were created, each named by its objectName.
    FormWalker(std::vector<QWidget*> forms, std::vector<const QWidget*> notKept);

    // False when some entry could not be written; the others are.
    bool Save(IniDocument& document, bool scramble) const;
    // Restores what the document holds; what it lacks stays as it is.
    void Restore(const IniDocument& document) const;

private:
    enum class Owner { Form, OtherForm };
    // The named controls of a kept kind below the form, in the order they
    // were created: the form's own, or those of the other forms (dialogs and
    // other windows) parented to it.
    std::vector<QWidget*> KeptControls(const QWidget& form, Owner owner) const;
    // Takes out of the form's section what the other forms below it keep in
    // theirs, unless the form has a control of that name itself.
    void DropOtherFormsKeys(IniDocument& document, const QWidget& form, bool scramble) const;

    std::vector<QWidget*> forms_;
    std::vector<const QWidget*> notKept_;
};
