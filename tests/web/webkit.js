// WebKit, Safari's engine, for the browser test: WebKitGTK's MiniBrowser through WebKitWebDriver
// on a virtual display, driven by selenium-webdriver behind the few calls of puppeteer's that the
// test makes, so that the same cases run in it.
'use strict';
const { spawn } = require('node:child_process');
const net = require('node:net');

const miniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

const freePort = () => new Promise((resolve) => {
    const probe = net.createServer().listen(0, '127.0.0.1', () => {
        const { port } = probe.address();
        probe.close(() => resolve(port));
    });
});

// The page's script errors, kept in the page for the test to read: the driver gives no console.
function keepErrors() {
    window.krivoklyunErrors = [];
    addEventListener('error', (event) => window.krivoklyunErrors.push(event.message));
}

exports.launch = async (packages) => {
    const { Builder, Key, Origin, error } = packages('selenium-webdriver');
    const { Pointer } = packages('selenium-webdriver/lib/input');
    const port = await freePort();
    // No headless mode: a virtual display, in a process group of its own so that it ends whole.
    const server = spawn('xvfb-run', ['-a', 'WebKitWebDriver', `--port=${port}`], { stdio: 'ignore', detached: true });
    const end = () => { try { process.kill(-server.pid); } catch { /* already ended */ } };
    const session = async () => {
        for (;;) {
            try {
                return await new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities({
                    browserName: 'MiniBrowser',
                    unhandledPromptBehavior: 'ignore',
                    'webkitgtk:browserOptions': { binary: miniBrowser, args: ['--automation'] },
                }).build();
            } catch (failure) {
                if (!/ECONNREFUSED/.test(failure.message)) throw failure;
                await sleep(200); // the driver is not listening yet
            }
        }
    };
    // A new session can wait for ever on a browser that did not start as the driver wants it.
    const timeout = sleep(30000).then(() => { throw new Error('WebKitWebDriver gave no session in 30 s'); });
    let driver;
    try {
        driver = await Promise.race([session(), timeout]);
    } catch (failure) {
        end();
        throw failure;
    }
    await driver.manage().window().setRect({ width: 800, height: 600 });

    const keys = {
        Tab: Key.TAB, Shift: Key.SHIFT, Home: Key.HOME, End: Key.END, PageUp: Key.PAGE_UP, PageDown: Key.PAGE_DOWN,
        ArrowUp: Key.ARROW_UP, ArrowDown: Key.ARROW_DOWN, ArrowLeft: Key.ARROW_LEFT, ArrowRight: Key.ARROW_RIGHT,
    };
    const key = (name) => keys[name] ?? name;
    let current = await driver.getWindowHandle();
    let pages = 0;

    const browser = {
        version: async () => `WebKitGTK ${(await driver.getCapabilities()).get('browserVersion')}`,
        close: async () => {
            await driver.quit().catch(() => {});
            end();
        },
        // Each page a window of its own.
        newPage: async () => {
            let handle = current;
            if (pages++ > 0) await driver.switchTo().newWindow('window');
            handle = current = await driver.getWindowHandle();
            const listeners = { dialog: [], pageerror: [] };
            const onNewDocument = [keepErrors];
            let url = 'about:blank';
            let pointer = { x: 0, y: 0 };
            const here = async () => {
                if (current !== handle) await driver.switchTo().window(current = handle);
            };
            const run = async (script, ...args) => {
                await here();
                return driver.executeScript(script, ...args);
            };
            const drainErrors = async () => {
                const errors = await run(() => window.krivoklyunErrors?.splice(0) ?? []);
                for (const message of errors) listeners.pageerror.forEach((listener) => listener({ message }));
            };
            const arrived = async () => {
                for (const script of onNewDocument) await run(script);
            };
            // An alert waits for an answer; the action that raised it gets one, as from the test's
            // listener.
            const act = async (actions) => {
                await here();
                await actions.perform();
                try {
                    const alert = await driver.switchTo().alert();
                    const message = await alert.getText();
                    for (const listener of listeners.dialog) await listener({ message: () => message, accept: () => alert.accept() });
                } catch (failure) {
                    if (!(failure instanceof error.NoSuchAlertError)) throw failure;
                }
            };
            const page = {
                browser: () => browser,
                url: () => url,
                on: (type, listener) => listeners[type].push(listener),
                setViewport: async () => {},
                evaluateOnNewDocument: async (script) => { onNewDocument.push(script); },
                evaluate: run,
                goto: async (to) => {
                    await here();
                    await driver.get(url = to);
                    await arrived();
                },
                reload: async () => {
                    await drainErrors();
                    await driver.navigate().refresh();
                    await arrived();
                },
                waitForFunction: async (script, { timeout = 30000 } = {}) => {
                    await here();
                    await driver.wait(() => driver.executeScript(script), timeout);
                },
                focus: (selector) => run((selector) => document.querySelector(selector).focus(), selector),
                screenshot: async () => {
                    await here();
                    return driver.takeScreenshot();
                },
                mouse: {
                    click: (x, y) => {
                        pointer = { x: Math.round(x), y: Math.round(y) };
                        return act(driver.actions().move({ ...pointer, origin: Origin.VIEWPORT }).click());
                    },
                    wheel: ({ deltaY }) => act(driver.actions().scroll(pointer.x, pointer.y, 0, deltaY)),
                },
                touchscreen: {
                    tap: (x, y) => {
                        const finger = new Pointer('finger', Pointer.Type.TOUCH);
                        const at = { x: Math.round(x), y: Math.round(y), origin: Origin.VIEWPORT };
                        return act(driver.actions().insert(finger, finger.move(at), finger.press(), finger.release()));
                    },
                },
                keyboard: {
                    press: (name) => act(driver.actions().sendKeys(key(name))),
                    down: (name) => act(driver.actions().keyDown(key(name))),
                    up: (name) => act(driver.actions().keyUp(key(name))),
                },
                close: async () => {
                    await drainErrors();
                    await here();
                    if (pages-- > 1) {
                        await driver.close();
                        current = (await driver.getAllWindowHandles())[0];
                        await driver.switchTo().window(current);
                    } else {
                        await driver.get('about:blank');
                    }
                },
            };
            return page;
        },
    };
    return browser;
};
