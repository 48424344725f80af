#pragma once

#include "announcer.h"
#include "dom_controls.h"
#include "form_definition.h"
#include "form_state.h"
#include "interaction_rules.h"

#include <emscripten/val.h>

#include <optional>
#include <string_view>

// The window in the page. The page draws it before the program loads; the form takes its controls
// over, listens to the page's input, asks the interaction rules what each key or click means, and
// raises the two events where the desktop raises them. Where a browser's own reaction differs from
// the rules, the form prevents it and acts itself.
class WebForm {
public:
    // Finds the controls in the page.
    WebForm();

    // The page's input, as the browser delivers it to the document before any control acts.
    void keyDown(emscripten::val event);
    void keyUp(emscripten::val event);
    void pointerDown(emscripten::val event);
    void pointerUp(emscripten::val event);
    void mouseDown(emscripten::val event);
    void click(emscripten::val event);
    void change(emscripten::val event);

    // Honours what the pupil picked before the program took the page over.
    void takeOver();

    // After a run-time error the form takes no more input.
    void stop();

private:
    void nameEvent();
    void familyEvent(int n);
    std::u16string answerFirstLine() const;

    void focus(interaction::Focus where);
    std::optional<form::Stop> stopOf(const emscripten::val& element) const;
    int familyOf(const emscripten::val& element) const; // -1 when it is no family button
    int nameOf(const emscripten::val& element) const;   // -1 when it is no name
    int checkedFamily() const;                          // -1 when none is
    interaction::NamesList namesList() const;
    void pickFamily(int n, interaction::Cause cause);
    void pickName(int p, interaction::Cause cause);

    emscripten::val List1_;
    DomControls::Families Option1_;
    emscripten::val Text1_;
    presentation::FormState state_;
    DomControls controls_;
    Announcer announcer_;

    bool stopped_ = false;
    bool namePicked_ = false;
    int pickedAtPress_ = -1; // the name picked when a pointer went down on the list
    int spaceDownOn_ = -1;   // the family button Space went down on
};
