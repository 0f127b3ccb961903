// The browsers that the page's tests drive, each behind the same few calls:
// Chromium and Firefox, Debian's builds headless, through puppeteer, as the
// benchmark and the README's picture also start them; and WebKitGTK through
// WebKitWebDriver, on a display that the caller gives. Where a browser or
// what drives it is missing, the test says so and is skipped.
import { spawn } from 'node:child_process';
import { existsSync, mkdtempSync, readdirSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import assert from 'node:assert/strict';

export const puppeteerBrowsers = {
    chromium: {
        browser: 'chrome',
        executablePath: '/usr/bin/chromium',
        // No calls home, which a closed network refuses.
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
               '--no-first-run', '--disable-sync'],
    },
    firefox: { browser: 'firefox', executablePath: '/usr/bin/firefox-esr' },
};

// The one wait: until check() gives something true, which it returns.
export async function until(check, what, ms = 30000) {
    for (const start = Date.now(); ;) {
        const value = await check();
        if (value) {
            return value;
        }
        assert.ok(Date.now() - start < ms, `${what}: not within ${ms} ms`);
        await new Promise((resolve) => setTimeout(resolve, 10));
    }
}

export function skip(what) {
    console.log(`${what} is not installed`);
    process.exit(0);
}
async function puppeteerEngine(name, { dark = false } = {}) {
    const options = puppeteerBrowsers[name];
    if (!existsSync(options.executablePath)) {
        skip(options.executablePath);
    }
    const puppeteer = (await import('puppeteer-core').catch(() => skip('puppeteer-core (npm ci)'))).default;
    // Firefox takes the colour scheme and reduced motion only as preferences.
    const prefs = dark ? { 'layout.css.prefers-color-scheme.content-override': 0, 'ui.prefersReducedMotion': 1 } : {};
    const browser = await puppeteer.launch({ headless: true, ...options, extraPrefsFirefox: prefs });
    const tab = await browser.newPage();
    if (dark && name === 'chromium') {
        await tab.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: 'dark' },
                                        { name: 'prefers-reduced-motion', value: 'reduce' }]);
    }
    // Chromium takes the editing commands of a shortcut only when told them.
    const ctrl = async (key, commands = []) => {
        await tab.keyboard.down('Control');
        await tab.keyboard.press(key, { commands });
        await tab.keyboard.up('Control');
    };
    // The page itself, or a frame of a course's page around it.
    let page = tab;
    return {
        // Each page a fresh load, even where only the fragment differs.
        async open(url, framed = false) {
            page = tab;
            await tab.goto('about:blank');
            if (!framed) {
                return tab.goto(url);
            }
            const course = join(mkdtempSync(join(tmpdir(), 'beadsort-course-')), 'course.html');
            writeFileSync(course, `<iframe src="${url}" style="width:95vw;height:95vh"></iframe>`);
            await tab.goto(pathToFileURL(course).href);
            page = await until(() => tab.frames().find((frame) => frame.url().startsWith(url)), 'the frame');
            return page.click('#screen');
        },
        run: (fn, ...args) => page.evaluate(fn, ...args),
        type: (text) => tab.keyboard.type(text),
        enter: () => tab.keyboard.press('Enter'),
        ctrlD: () => ctrl('KeyD'),
        copy: () => ctrl('KeyC', ['copy']),
        paste: () => ctrl('KeyV', ['paste']),
        click: (id) => page.click(`#${id}`),
        viewport: (width, height) => tab.setViewport({ width, height }),
        // Another browser of the same engine, dark and with reduced motion.
        dark: () => puppeteerEngine(name, { dark: true }),
        close: () => browser.close(),
    };
}

// WebKitWebDriver on a free port: where another process takes the port
// first, the driver exits and another port is tried.
async function webKitDriver() {
    for (let tries = 0; tries < 5; tries += 1) {
        const port = await new Promise((resolve) => {
            const server = createServer().listen(0, '127.0.0.1', () => {
                const { port: free } = server.address();
                server.close(() => resolve(free));
            });
        });
        const service = spawn('WebKitWebDriver', [`--port=${port}`], { stdio: 'ignore' });
        service.on('error', () => skip('WebKitWebDriver (webkit2gtk-driver)'));
        let exited = false;
        service.on('exit', () => {
            exited = true;
        });
        const url = `http://127.0.0.1:${port}`;
        if (await until(() => exited || fetch(`${url}/status`).then((response) => response.ok, () => false),
                        'WebKitWebDriver to start') && !exited) {
            return { url, service };
        }
    }
    throw new Error('WebKitWebDriver did not start');
}

export const engine = (name) => engines[name]();

const engines = {
    chromium: () => puppeteerEngine('chromium'),
    firefox: () => puppeteerEngine('firefox'),
    // Through WebKitWebDriver, on the display that xvfb-run gives (below).
    async webkit() {
        const { Builder, Key } = (await import('selenium-webdriver').catch(() => skip('selenium-webdriver (npm ci)')));
        const miniBrowser = readdirSync('/usr/lib', { withFileTypes: true })
            .filter((entry) => entry.isDirectory())
            .map((entry) => `/usr/lib/${entry.name}/webkit2gtk-4.1/MiniBrowser`)
            .find(existsSync);
        if (!miniBrowser) {
            skip('MiniBrowser (webkit2gtk-driver)');
        }
        const { url, service } = await webKitDriver();
        const session = new Builder()
            .usingServer(url)
            .withCapabilities({ browserName: 'MiniBrowser',
                                'webkitgtk:browserOptions': { binary: miniBrowser, args: ['--automation'] } })
            .build();
        // Without a display, making the session hangs rather than fails.
        const driver = await Promise.race([
            session,
            new Promise((_, reject) => setTimeout(() => reject(new Error('no WebKit session in 60 s')), 60000).unref()),
        ]);
        const keys = (...sequence) => driver.switchTo().activeElement().then((element) => element.sendKeys(...sequence));
        const ctrl = (key) => driver.actions().keyDown(Key.CONTROL).sendKeys(key).keyUp(Key.CONTROL).perform();
        return {
            open: (page) => driver.get('about:blank').then(() => driver.get(page)),
            run: (fn, ...args) => driver.executeScript(`return (${fn})(...arguments)`, ...args),
            type: (text) => keys(text),
            enter: () => keys(Key.ENTER),
            ctrlD: () => ctrl('d'),
            copy: () => ctrl('c'),
            paste: () => ctrl('v'),
            click: (id) => driver.executeScript(`document.getElementById('${id}').click()`),
            async close() {
                await driver.quit();
                service.kill();
            },
        };
    },
};

