#!/usr/bin/python3
"""What a blind pupil hears. Orca, the screen reader, listens to one of the programs on a display of
its own while a short session is played on the keyboard; what it says after each key is compared
with the phrases that key must let the pupil hear, made from the expectations the other tests
check (expected.h, printed as JSON by a program of the build).

    listen.py qt PROGRAM WORK_FOLDER EXPECTATIONS_COMMAND...
    listen.py chromium|firefox SITE_FOLDER WORK_FOLDER EXPECTATIONS_COMMAND...

It prints what Orca said after each key, and fails naming each phrase that was not heard.
"""

import json
import os
import re
import signal
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path


def session(expected):
    """Each key of the session, as xdotool names it ("" for start-up), with the phrases that must be
    heard after it. A family is picked with Space: in a browser Orca keeps the arrows on radio
    buttons for itself."""
    names = [bird["name"] for bird in expected["birds"]]
    families = expected["familyCaptions"]
    bird_lines = [bird["textOpening"].split("\r\n")[0] for bird in expected["birds"]]
    listing_lines = [listing.split("\r\n")[0] for listing in expected["familyListings"]]
    box = expected["infoBoxName"]
    return [
        ("", [box]),  # the window opens on the info box
        ("Tab", [expected["frameCaption"], families[0]]),
        ("space", [listing_lines[0]]),
        ("Tab", [expected["listHeading"]]),
        ("Down", [names[0], bird_lines[0]]),  # the first pick
        ("Down", [names[1], bird_lines[1]]),
        ("space", [bird_lines[1]]),  # the same name shown again, the focus staying on it
        ("shift+Tab", [families[expected["birds"][1]["family"]]]),  # at the checked family
        ("shift+Tab", [box, bird_lines[1]]),
    ]


SPEECH = " - SPEECH OUTPUT: '"
# After the closing quote: the voice's name, if not the default, and its settings.
VOICE = re.compile(r"'( voice=\S+)?\s*(\{.*\})?\s*$")
CONTINUATION = " " * 18  # Orca indents a logged text's further lines by its timestamp's width
# Orca's log line when a program other than itself has joined the accessibility bus.
JOINED = re.compile(r"children-changed:add for \[desktop frame \| main\] .*\[application \| (?!orca\])")


def utterances(log):
    """Every phrase spoken in an Orca debug log, in order."""
    spoken = []
    lines = iter(log.split("\n"))
    for line in lines:
        if SPEECH not in line:
            continue
        text = line.split(SPEECH, 1)[1]
        while not VOICE.search(text):
            more = next(lines, None)
            if more is None or not more.startswith(CONTINUATION):
                break
            text += "\n" + more[len(CONTINUATION):]
        spoken.append(VOICE.sub("", text))
    return spoken


def normalised(text):
    """Speech ignores how many spaces there are, and which kind."""
    return " ".join(text.split())


def missing(phrases, spoken):
    """The phrases that none of the spoken ones contains."""
    said = [normalised(s) for s in spoken]
    return [p for p in phrases if not any(normalised(p) in s for s in said)]


# Orca will not start while another process of the user is named "orca", and names itself so:
# started through its own launcher with both left out, it neither waits for another Orca on a
# shared machine nor holds one up.
ORCA = """
import runpy, sys
launcher = runpy.run_path("/usr/bin/orca", run_name="launcher")
launcher["main"].__globals__.update(setProcessName=lambda name: None, otherOrcas=lambda: [])
sys.argv[0] = "orca"
sys.exit(launcher["main"]())
"""

# Speech goes to a file instead of a sound card, whole sentences at a time.
SPEECHD_CONF = """AddModule "capture" "sd_generic" "capture.conf"
DefaultModule capture
DefaultLanguage "bg"
AudioOutputMethod "libao"
"""
CAPTURE_CONF = r"""GenericExecuteSynth "printf '%s\\n' \'$DATA\' >> \"$SPOKEN_FILE\""
GenericDelimiters "^"
GenericMaxChunkLength 100000
GenericLanguage "bg" "bg" "utf-8"
AddVoice "bg" "MALE1" "bg"
"""


class Desktop:
    """A display, a session bus, the accessibility bus and a speech server, all of its own, in fresh
    folders; everything it starts is stopped, with its children, at the end."""

    def __init__(self, work):
        self.work = work
        self.processes = []
        shutil.rmtree(work, ignore_errors=True)
        os.makedirs(work)
        self.log = open(os.path.join(work, "desktop.log"), "w")
        hidden = ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY", "DISPLAY",
                  "XAUTHORITY", "LC_ALL", "LC_MESSAGES")
        self.env = {k: v for k, v in os.environ.items() if k not in hidden}
        for name, folder in (("HOME", "home"), ("XDG_CONFIG_HOME", "home/.config"),
                             ("XDG_DATA_HOME", "home/.local/share"),
                             ("XDG_CACHE_HOME", "home/.cache"), ("XDG_RUNTIME_DIR", "run")):
            self.env[name] = os.path.join(work, folder)
            os.makedirs(self.env[name], mode=0o700, exist_ok=True)
        # Orca speaks Bulgarian only in a Bulgarian locale, which the machine need not have.
        self.env.update(LOCPATH=bulgarian_locale(os.path.dirname(work)), LANG="bg_BG.UTF-8",
                        LANGUAGE="bg", SPOKEN_FILE=os.path.join(work, "spoken.txt"))

    def start(self, command, **options):
        options.setdefault("stdout", self.log)
        options.setdefault("stderr", self.log)
        process = subprocess.Popen(command, env=self.env, start_new_session=True,
                                   stdin=subprocess.DEVNULL, **options)
        self.processes.append(process)
        return process

    def run(self, *command):
        return subprocess.run(command, env=self.env, capture_output=True, text=True).stdout.strip()

    def __enter__(self):
        read, write = os.pipe()
        self.start(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten",
                    "tcp"], pass_fds=[write])
        os.close(write)
        with os.fdopen(read) as display:
            self.env["DISPLAY"] = ":" + display.readline().strip()
        bus = self.start(["dbus-daemon", "--session", "--nofork", "--print-address"],
                         stdout=subprocess.PIPE, text=True)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        until(lambda: self.run("dbus-send", "--session", "--print-reply",
                               "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                               "org.freedesktop.DBus.NameHasOwner",
                               "string:org.a11y.Bus").endswith("true"), 10, "the a11y bus")
        self.run("gsettings", "set", "org.gnome.desktop.a11y.applications",
                 "screen-reader-enabled", "true")
        speechd = Path(self.env["XDG_CONFIG_HOME"], "speech-dispatcher")
        (speechd / "modules").mkdir(parents=True)
        (speechd / "speechd.conf").write_text(SPEECHD_CONF)
        (speechd / "modules" / "capture.conf").write_text(CAPTURE_CONF)
        self.start(["speech-dispatcher", "--run-single", "--timeout", "0",
                    "--communication-method", "unix_socket"])
        return self

    def __exit__(self, *failure):
        for process in reversed(self.processes):
            stop(process)
        self.log.close()


def bulgarian_locale(folder):
    """The locale, compiled once into a folder of the build; runs in parallel may race to it."""
    locales = os.path.join(folder, "locale")
    if not os.path.isdir(os.path.join(locales, "bg_BG.UTF-8")):
        os.makedirs(locales, exist_ok=True)
        fresh = tempfile.mkdtemp(dir=locales)
        subprocess.run(["localedef", "-i", "bg_BG", "-f", "UTF-8",
                        os.path.join(fresh, "bg_BG.UTF-8")], check=True)
        try:
            os.rename(os.path.join(fresh, "bg_BG.UTF-8"), os.path.join(locales, "bg_BG.UTF-8"))
        except OSError:
            pass  # the other run's is there already
        shutil.rmtree(fresh)
    return locales


def stop(process, grace=3):
    """Ends a process and its children; Orca may hang when asked politely."""
    for sig in (signal.SIGTERM, signal.SIGKILL):
        try:
            os.killpg(process.pid, sig)
            process.wait(grace)
            return
        except ProcessLookupError:
            return
        except subprocess.TimeoutExpired:
            pass


def until(condition, seconds, what):
    """The condition's first true value, asked every 0.1 s for at most `seconds`."""
    end = time.monotonic() + seconds
    while not (value := condition()):
        if time.monotonic() > end:
            raise TimeoutError("waited %d s for %s" % (seconds, what))
        time.sleep(0.1)
    return value


def program(kind, target, desktop):
    """The command that starts the program as a pupil would, with its accessibility on."""
    if kind == "qt":
        desktop.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        return [target]
    page = "file://" + os.path.join(os.path.abspath(target), "index.html")
    if kind == "chromium":  # not headless: that one never talks to the accessibility bus
        return ["chromium", "--no-sandbox", "--force-renderer-accessibility", "--no-first-run",
                "--password-store=basic", "--disable-gpu",
                "--user-data-dir=" + os.path.join(desktop.work, "chromium"), "--app=" + page]
    profile = Path(desktop.work, "firefox")
    profile.mkdir()
    (profile / "user.js").write_text("".join(
        'user_pref("%s", %s);\n' % pref for pref in [
            ("accessibility.force_disabled", "-1"),
            ("browser.shell.checkDefaultBrowser", "false"),
            ("browser.startup.homepage_override.mstone", '"ignore"'),
            ("browser.aboutwelcome.enabled", "false"),
            ("datareporting.policy.dataSubmissionEnabled", "false"),
            ("browser.newtab.preload", "false")]))
    return ["firefox-esr", "--no-remote", "--profile", str(profile), page]


class Orca:
    def __init__(self, desktop):
        prefs = Path(desktop.work, "orca")
        prefs.mkdir()
        # Line by line, so that the log holds what has been said as soon as it is said.
        (prefs / "orca-customizations.py").write_text(
            "from orca import debug\ndebug.debugFile.reconfigure(line_buffering=True)\n")
        self.log = os.path.join(desktop.work, "orca.log")
        desktop.start(["/usr/bin/python3", "-c", ORCA, "-u", str(prefs), "--debug-file", self.log])
        until(lambda: SPEECH in self.text(), 30, "Orca to speak")
        self.said(0, [], 10)  # settled, listening to every application

    def text(self):
        try:
            with open(self.log, encoding="utf-8", errors="replace") as log:
                return log.read()
        except FileNotFoundError:
            return ""

    def said(self, since, phrases, longest):
        """What Orca has said since its utterance number `since`, once it has said the phrases (or
        given up: `longest` seconds) and its log has then not grown for half a second."""
        end = time.monotonic() + longest
        size, quiet_since = -1, time.monotonic()
        while True:
            heard = utterances(self.text())[since:]
            now = os.path.getsize(self.log)
            if now != size:
                size, quiet_since = now, time.monotonic()
            elif time.monotonic() - quiet_since >= 0.5 and not missing(phrases, heard):
                return heard
            if time.monotonic() > end:
                return heard
            time.sleep(0.1)


def listen(kind, target, work, expected):
    """Plays the session; returns what was heard after each key, and what was not."""
    transcript, failures = [], []
    with Desktop(work) as desktop:
        orca = Orca(desktop)
        desktop.start(program(kind, target, desktop))
        title = re.escape(expected["captionEnding"].strip())
        window = until(lambda: desktop.run("xdotool", "search", "--onlyvisible", "--name", title),
                       60, "the window").split()[0]
        # Focus given before the program's accessibility has joined, and settled, is never heard:
        # on a loaded machine Qt's window can be shown first.
        until(lambda: JOINED.search(orca.text()), 30, "the program to reach Orca")
        time.sleep(1)
        desktop.run("xdotool", "windowfocus", "--sync", window)
        spoken = 0
        for key, phrases in session(expected):
            if key:
                desktop.run("xdotool", "key", "--clearmodifiers", key)
            said = orca.said(spoken, phrases, 10 if key else 30)
            spoken += len(said)
            transcript.append((key or "(start)", said))
            failures += ["after %s: not heard: %s" % (key or "start-up", phrase)
                         for phrase in missing(phrases, said)]
        spoken_file = Path(desktop.env["SPOKEN_FILE"])
        if not (spoken_file.is_file() and spoken_file.stat().st_size):
            failures.append("nothing reached the speech server")
    return transcript, failures


def main(kind, target, work, expectations):
    expected = json.loads(subprocess.run(expectations, check=True, capture_output=True,
                                         text=True).stdout)
    start = time.monotonic()
    transcript, failures = listen(kind, target, work, expected)
    print("What Orca said (%s, %.1f s):" % (kind, time.monotonic() - start))
    for key, said in transcript:
        print("  %-10s %s" % (key, " | ".join(said)))
    for failure in failures:
        print(failure)
    if failures:
        print("Logs: " + work)
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) < 5 or sys.argv[1] not in ("qt", "chromium", "firefox"):
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]))
