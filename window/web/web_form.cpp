#include "web_form.h"

#include "catalogue.h"
#include "handlers.h"

#include <algorithm>
#include <string>
#include <utility>

using emscripten::val;
using interaction::Cause;
using interaction::Key;

namespace {

val byId(std::u16string_view id) {
    return val::global("document").call<val>("getElementById", val(std::u16string(id)));
}

DomControls::Families familyButtons() {
    DomControls::Families buttons{val::undefined(), val::undefined(), val::undefined()};
    for (std::size_t n = 0; n < buttons.size(); ++n)
        buttons[n] = byId(form::option1Name(n))["control"];
    return buttons;
}

// The keys the rules give a meaning to, by the browser's name for them; the keypad's arrows (with
// Num Lock off) have the same names.
std::optional<Key> ruleKey(const std::string& name) {
    if (name == "ArrowUp")
        return Key::Up;
    if (name == "ArrowDown")
        return Key::Down;
    if (name == "ArrowLeft")
        return Key::Left;
    if (name == "ArrowRight")
        return Key::Right;
    if (name == "Home")
        return Key::Home;
    if (name == "End")
        return Key::End;
    if (name == "PageUp")
        return Key::PageUp;
    if (name == "PageDown")
        return Key::PageDown;
    if (name == " ")
        return Key::Space;
    return std::nullopt;
}

bool is(const val& a, const val& b) {
    return a.strictlyEquals(b);
}

// Scrolls whatever holds the element, the page included, just far enough to show it.
void bringIntoView(const val& element) {
    val nearest = val::object();
    nearest.set("block", "nearest");
    element.call<void>("scrollIntoView", nearest);
}

} // namespace

WebForm::WebForm()
    : List1_(byId(form::List1Name)), Option1_(familyButtons()), Text1_(byId(form::Text1Name)),
      controls_(List1_, Option1_, Text1_) {}

// The page is drawn, and its controls answer, before the program has loaded. A name or a family
// picked meanwhile is shown now, as if picked at this moment, through the same handler as any pick;
// of a name and a family the later wins, as the page's own script noted. The focus stays where the
// pupil left it.
void WebForm::takeOver() {
    const int name = List1_["selectedIndex"].as<int>();
    const int family = checkedFamily();
    if (name >= 0 && (family < 0 || is(val::global("krivoklyunLastPick"), List1_)))
        nameEvent();
    else if (family >= 0)
        familyEvent(family);
}

void WebForm::stop() {
    stopped_ = true;
    val::global("document").call<val>("querySelector", val("main")).set("inert", true);
}

// Where the screen is shorter than the window as the page lays it out (a window zoomed in, a small
// phone on its side), the answer is brought onto it; everywhere else it is there already.
//
// After each pick a screen reader hears the first line of the answer, the focus staying where it
// is. Firefox has said the name under the list's focus frame, the first, as the list took the
// focus, and says nothing when the first pick is that name; so that pick is announced with its
// name. (Chromium then says the name twice, once.)
void WebForm::nameEvent() {
    presentation::List1_Click(state_, controls_, 0);
    bringIntoView(Text1_);
    const int picked = List1_["selectedIndex"].as<int>();
    std::u16string answer = answerFirstLine();
    if (!std::exchange(namePicked_, true) && picked == 0)
        answer = List1_["options"][0]["text"].as<std::u16string>() + u", " + answer;
    announcer_.announce(std::move(answer));
}

void WebForm::familyEvent(int n) {
    const bool raisedByNamePick = state_.Busy > 0; // the handler returns at once
    presentation::Option1_Click(state_, controls_, static_cast<std::int16_t>(n));
    bringIntoView(Text1_);
    if (!raisedByNamePick)
        announcer_.announce(answerFirstLine());
}

std::u16string WebForm::answerFirstLine() const {
    const std::u16string text = Text1_["value"].as<std::u16string>();
    return text.substr(0, text.find(u'\n'));
}

// The page handles Tab itself: the browser would enter the family group at its last button going
// backwards (Chromium), and leave the page after the info box instead of going round. A key event
// without a key's name (one a script made) means nothing.
void WebForm::keyDown(val event) {
    if (stopped_ || !event["key"].isString() || event["altKey"].as<bool>() ||
        event["metaKey"].as<bool>() || event["defaultPrevented"].as<bool>())
        return;
    std::string name = event["key"].as<std::string>();
    if (name == "Unidentified" && event["code"].strictlyEquals(val("Tab")))
        name = "Tab"; // WebKitGTK's Shift+Tab
    const val target = val::global("document")["activeElement"];
    const std::optional<form::Stop> here = stopOf(target);

    if (name == "Tab") {
        if (event["ctrlKey"].as<bool>())
            return;
        event.call<void>("preventDefault");
        const bool backwards = event["shiftKey"].as<bool>();
        // With the focus nowhere in the window, Tab enters it at its first stop, Shift+Tab at its
        // last, as if they came round from the other end.
        const form::Stop from =
            here ? *here : (backwards ? form::TabOrder.front() : form::TabOrder.back());
        focus(interaction::afterTab(from, backwards, checkedFamily()));
        return;
    }

    const std::optional<Key> key = ruleKey(name);
    if (!key || !here || *here == form::Stop::Text1)
        return;
    if (*here == form::Stop::Option1) {
        // Space acts when it comes up, as a button's does; the browsers fire nothing for Space on
        // the checked radio, and their arrows are the rules' only by coincidence.
        const std::optional<int> family = interaction::familyAfterKey(*key, familyOf(target));
        if (!family)
            return;
        event.call<void>("preventDefault");
        if (*key == Key::Space) {
            if (!event["repeat"].as<bool>())
                spaceDownOn_ = *family;
            return;
        }
        Option1_[static_cast<std::size_t>(*family)].call<void>("focus");
        pickFamily(*family, Cause::MoveKey);
        return;
    }
    // The names list. With nothing picked, Chromium's first Up picks the last name and its first
    // Down may pick none; Space never shows the picked name again.
    const std::optional<int> pick = interaction::nameAfterKey(*key, namesList());
    if (!pick)
        return;
    event.call<void>("preventDefault");
    pickName(*pick, *key == Key::Space ? Cause::Space : Cause::MoveKey);
}

// Space picks a family only when it comes up where it went down, wherever it went between.
void WebForm::keyUp(val event) {
    if (stopped_ || !event["key"].strictlyEquals(val(" ")))
        return;
    const int downOn = std::exchange(spaceDownOn_, -1);
    const int family = familyOf(val::global("document")["activeElement"]);
    if (family < 0)
        return;
    event.call<void>("preventDefault");
    if (family == downOn)
        pickFamily(family, Cause::Space);
}

// A press and its release on the picked name show it again; the browser reports no change. Mouse,
// pen and touch alike: for a tap, Chromium's list acts on the gesture and sends neither mousedown
// nor click.
void WebForm::pointerDown(val event) {
    if (stopped_)
        return;
    pickedAtPress_ = nameOf(event["target"]) >= 0 ? List1_["selectedIndex"].as<int>() : -1;
}

void WebForm::pointerUp(val event) {
    if (stopped_)
        return;
    const int pickedAtPress = std::exchange(pickedAtPress_, -1);
    const int name = nameOf(event["target"]);
    const bool rePick =
        name >= 0 && name == pickedAtPress && name == List1_["selectedIndex"].as<int>();
    if (event["button"].strictlyEquals(val(0)) && rePick &&
        interaction::raisesEvent(Cause::Click, false))
        nameEvent();
}

// A press anywhere but on a control leaves the focus where it is, as on the desktop, where labels
// and frames never take it.
void WebForm::mouseDown(val event) {
    if (stopped_)
        return;
    const val target = event["target"];
    const bool onControl = is(target, Text1_) || is(target, List1_) || nameOf(target) >= 0 ||
                           familyOf(target) >= 0 ||
                           familyOf(target["control"]) >= 0; // a family's caption
    if (!onControl)
        event.call<void>("preventDefault");
}

void WebForm::click(val event) {
    if (stopped_)
        return;
    const val target = event["target"];
    if (const int family = familyOf(target); family >= 0) {
        // Checked by the browser already, and a click shows the family whether or not it changed.
        familyEvent(family);
        return;
    }
    // The list's heading would move the focus to the list; on the desktop a label never takes it.
    if (is(target["htmlFor"], val(std::u16string(form::List1Name))))
        event.call<void>("preventDefault");
}

// The browser's own changes (a click, type-ahead) and the one the form makes from code.
void WebForm::change(val event) {
    if (stopped_)
        return;
    const val target = event["target"];
    if (is(target, List1_)) {
        nameEvent();
        return;
    }
    // A user's pick of a family was raised with its click; this is the form's own, made while a
    // name's event runs.
    if (const int family = familyOf(target); family >= 0 && !event["isTrusted"].as<bool>())
        familyEvent(family);
}

void WebForm::focus(interaction::Focus where) {
    switch (where.stop) {
    case form::Stop::Text1:
        Text1_.call<void>("focus");
        break;
    case form::Stop::Option1:
        Option1_[static_cast<std::size_t>(where.family)].call<void>("focus");
        break;
    case form::Stop::List1:
        List1_.call<void>("focus");
        break;
    }
}

std::optional<form::Stop> WebForm::stopOf(const val& element) const {
    if (is(element, Text1_))
        return form::Stop::Text1;
    if (is(element, List1_))
        return form::Stop::List1;
    if (familyOf(element) >= 0)
        return form::Stop::Option1;
    return std::nullopt;
}

int WebForm::familyOf(const val& element) const {
    for (std::size_t n = 0; n < Option1_.size(); ++n)
        if (is(element, Option1_[n]))
            return static_cast<int>(n);
    return -1;
}

int WebForm::nameOf(const val& element) const {
    return is(element["parentNode"], List1_) ? element["index"].as<int>() : -1;
}

int WebForm::checkedFamily() const {
    for (std::size_t n = 0; n < Option1_.size(); ++n)
        if (Option1_[n]["checked"].as<bool>())
            return static_cast<int>(n);
    return -1;
}

// What the rules need to know of the list, from the rows' boxes on the screen, which every engine
// reports alike (WebKit gives an option no offset box). Only whole rows count as in view. The
// browser does not tell where its focus frame is before a pick; the rules' frame is then on the
// first name.
interaction::NamesList WebForm::namesList() const {
    const val options = List1_["options"];
    const int count = options["length"].as<int>();
    const int picked = List1_["selectedIndex"].as<int>();
    const double top = List1_.call<val>("getBoundingClientRect")["top"].as<double>() +
                       List1_["clientTop"].as<double>();
    const double bottom = top + List1_["clientHeight"].as<double>();
    constexpr double slack = 0.5; // less than a pixel hidden is not seen
    int first = -1;
    int rows = 0;
    for (int p = 0; p < count; ++p) {
        const val box = options[p].call<val>("getBoundingClientRect");
        if (box["top"].as<double>() < top - slack || box["bottom"].as<double>() > bottom + slack)
            continue;
        if (first < 0)
            first = p;
        ++rows;
    }
    return {count, picked >= 0 ? picked : 0, picked, std::max(first, 0), std::max(rows, 1)};
}

void WebForm::pickFamily(int n, Cause cause) {
    const bool changes = n != checkedFamily();
    Option1_[static_cast<std::size_t>(n)].set("checked", true);
    if (interaction::raisesEvent(cause, changes))
        familyEvent(n);
}

void WebForm::pickName(int p, Cause cause) {
    const bool changes = p != List1_["selectedIndex"].as<int>();
    List1_.set("selectedIndex", p);
    bringIntoView(List1_["options"][p]);
    if (interaction::raisesEvent(cause, changes))
        nameEvent();
}
