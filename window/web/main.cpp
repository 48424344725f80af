#include "runtime_error.h"
#include "web_form.h"

#include <emscripten/bind.h>
#include <emscripten/emscripten.h>
#include <emscripten/val.h>

#include <string>
#include <string_view>

using emscripten::val;

namespace {

WebForm* theForm = nullptr;

void keyDown(val event) {
    theForm->keyDown(std::move(event));
}
void keyUp(val event) {
    theForm->keyUp(std::move(event));
}
void pointerDown(val event) {
    theForm->pointerDown(std::move(event));
}
void pointerUp(val event) {
    theForm->pointerUp(std::move(event));
}
void mouseDown(val event) {
    theForm->mouseDown(std::move(event));
}
void click(val event) {
    theForm->click(std::move(event));
}
void change(val event) {
    theForm->change(std::move(event));
}

// The desktop programs end at a run-time error; a page cannot close itself, so the form stops
// taking input, and the message names the error as the desktop's does.
void showRuntimeError(std::string_view what) {
    presentation::reportOnStandardError(what);
    if (theForm)
        theForm->stop();
    val::global("window").call<void>("alert", val(presentation::runtimeErrorMessage(what)));
}

// Hands the page's input to the form, captured at the document so that the form decides before any
// control reacts. A run-time error ends the program by unwinding out of the form with an
// ExitStatus; it ends here, where the page would report it as an uncaught exception.
// clang-format off
EM_JS(void, listenToThePage, (), {
    for (const type of ["keydown", "keyup", "pointerdown", "pointerup", "mousedown", "click",
                        "change"]) {
        const handler = Module["krivoklyun_" + type];
        document.addEventListener(type, (event) => {
            try {
                handler(event);
            } catch (error) {
                if (!(error instanceof ExitStatus))
                    throw error;
            }
        }, true);
    }
});
// clang-format on

// Installing as an app and use offline need the manifest and the service worker, which a browser
// takes only from a page served from a secure origin (https, or this machine); opened from disk,
// the page is offline already, and would only be refused them.
void offerInstallAndOffline() {
    const val workers = val::global("navigator")["serviceWorker"];
    if (workers.isUndefined() || val::global("location")["protocol"].as<std::string>() == "file:")
        return;
    const val document = val::global("document");
    val manifest = document.call<val>("createElement", val("link"));
    manifest.set("rel", "manifest");
    manifest.set("href", "manifest.webmanifest");
    document["head"].call<void>("append", manifest);
    workers.call<val>("register", val("sw.js"));
}

} // namespace

EMSCRIPTEN_BINDINGS(krivoklyun) {
    emscripten::function("krivoklyun_keydown", &keyDown);
    emscripten::function("krivoklyun_keyup", &keyUp);
    emscripten::function("krivoklyun_pointerdown", &pointerDown);
    emscripten::function("krivoklyun_pointerup", &pointerUp);
    emscripten::function("krivoklyun_mousedown", &mouseDown);
    emscripten::function("krivoklyun_click", &click);
    emscripten::function("krivoklyun_change", &change);
}

int main() {
    presentation::setRuntimeErrorReport(showRuntimeError);
    static WebForm form;
    theForm = &form;
    listenToThePage();
    form.takeOver();
    offerInstallAndOffline();
    // Tests and the benchmark wait for this: from here on the window answers.
    val::global("performance").call<val>("mark", val("krivoklyun-ready"));
    return 0;
}
