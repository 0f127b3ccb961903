// Runs the page, as packed, in one browser engine, the way a user does: types
// each transcript line by line once the program waits, ends the input with
// Ctrl+D and with the button, pastes, and runs the program again. The screen
// must be what a terminal shows: the console program's output, with each
// typed line echoed where it was typed.
//   node page_test.mjs chromium|firefox|webkit PACKAGES TRANSCRIPTS NAME... -- EMULATOR...
// PACKAGES holds the page and the WASI module; EMULATOR runs the module as
// the console program. Where the engine or node_modules is missing, the test
// says so and is skipped.
import { spawn, spawnSync } from 'node:child_process';
import { existsSync, readdirSync, readFileSync, statSync } from 'node:fs';
import { createServer } from 'node:net';
import { pathToFileURL } from 'node:url';
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';

const [engine, packages, transcripts, ...rest] = process.argv.slice(2);
const names = rest.slice(0, rest.indexOf('--'));
const emulator = rest.slice(rest.indexOf('--') + 1);
const packed = (ending) => `${packages}/${readdirSync(packages).find((file) => file.endsWith(ending))}`;
const page = pathToFileURL(packed('-web.html')).href;

function skip(what) {
    console.log(`${what} is not installed`);
    process.exit(0);
}

// WebKitGTK has no headless mode: the test runs again under a display of
// xvfb-run's own.
if (engine === 'webkit' && !process.env.PAGE_TEST_XVFB) {
    const xvfb = spawnSync('xvfb-run', ['--auto-servernum', process.execPath, ...process.argv.slice(1)],
                           { stdio: 'inherit', env: { ...process.env, PAGE_TEST_XVFB: '1' } });
    if (xvfb.error) {
        skip('xvfb-run');
    }
    process.exit(xvfb.status ?? 1);
}

// --- The engines, each behind the same few calls ---------------------------

async function puppeteerEngine(options) {
    if (!existsSync(options.executablePath)) {
        skip(options.executablePath);
    }
    const puppeteer = (await import('puppeteer-core').catch(() => skip('puppeteer-core (npm ci)'))).default;
    const browser = await puppeteer.launch({ headless: true, ...options });
    const tab = await browser.newPage();
    // Chromium takes the editing commands of a shortcut only when told them.
    const ctrl = async (key, commands = []) => {
        await tab.keyboard.down('Control');
        await tab.keyboard.press(key, { commands });
        await tab.keyboard.up('Control');
    };
    return {
        open: (url) => tab.goto(url),
        run: (fn, ...args) => tab.evaluate(fn, ...args),
        type: (text) => tab.keyboard.type(text),
        enter: () => tab.keyboard.press('Enter'),
        ctrlD: () => ctrl('KeyD'),
        copy: () => ctrl('KeyC', ['copy']),
        paste: () => ctrl('KeyV', ['paste']),
        click: (id) => tab.click(`#${id}`),
        close: () => browser.close(),
    };
}

const engines = {
    chromium: () =>
        puppeteerEngine({
            browser: 'chrome',
            executablePath: '/usr/bin/chromium',
            // No calls home, which this machine's closed network refuses.
            args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
                   '--no-first-run', '--disable-sync'],
        }),
    firefox: () => puppeteerEngine({ browser: 'firefox', executablePath: '/usr/bin/firefox-esr' }),
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
        const port = await new Promise((resolve) => {
            const server = createServer().listen(0, () => {
                const { port: free } = server.address();
                server.close(() => resolve(free));
            });
        });
        const service = spawn('WebKitWebDriver', [`--port=${port}`], { stdio: 'ignore' });
        service.on('error', () => skip('WebKitWebDriver (webkit2gtk-driver)'));
        await new Promise((resolve) => setTimeout(resolve, 500));
        const session = new Builder()
            .usingServer(`http://127.0.0.1:${port}`)
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
            open: (url) => driver.get(url),
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

// --- What a terminal shows --------------------------------------------------

let browser;
const screen = () => browser.run(() => document.querySelector('[role=log]').textContent);
const exitStatus = () => browser.run(() => document.querySelector('[role=log]').dataset.exitStatus ?? null);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Waits until the program waits: it has ended, or it has written since the
// last input and ended with a prompt, or nothing has changed for a while.
async function settle(since) {
    let last = null;
    let still = 0;
    for (let waited = 0; waited < 30000; waited += 25) {
        const [text, status] = [await screen(), await exitStatus()];
        if (status !== null || (text.length > since.length && text.endsWith('): '))) {
            return;
        }
        still = text === last ? still + 25 : 0;
        if (still >= 300) {
            return;
        }
        last = text;
        await sleep(25);
    }
    throw new Error('the page did not settle in 30 s');
}

// A user's session: each step, which echoes what it says, is taken once the
// program waits, and its echo noted with where the screen ended then.
async function session(steps) {
    const echoes = [];
    await settle('');
    for (const { act, echo } of steps) {
        const before = await screen();
        await act();
        echoes.push({ at: before.length, text: echo });
        await settle(before + echo);
    }
    for (let waited = 0; (await exitStatus()) === null; waited += 25) {
        assert.ok(waited < 30000, 'the program did not end');
        await sleep(25);
    }
    return { echoes, screen: await screen(), status: Number(await exitStatus()) };
}

// The console program's output with each echo put back where it was typed.
function terminal(output, echoes) {
    let text = '';
    let taken = 0;
    for (const { at, text: echo } of echoes) {
        const shown = at - (text.length - taken);
        text += output.slice(taken, shown) + echo;
        taken = shown;
    }
    return text + output.slice(taken);
}

function expect(result, output, status) {
    assert.equal(result.screen, terminal(output, result.echoes));
    assert.equal(result.status, status);
}

// The console program, the WASI module under the emulator, on these bytes.
function onConsole(input) {
    const run = spawnSync(emulator[0], [...emulator.slice(1), packed('-wasi.wasm')], { input, maxBuffer: 1 << 28 });
    return run.stdout.toString() + run.stderr.toString();
}

const typeLine = (text) => ({
    act: async () => {
        await browser.type(text);
        await browser.enter();
    },
    echo: `${text}\n`,
});
const enter = { act: () => browser.enter(), echo: '\n' };
const typeThenCtrlD = (text) => ({
    act: async () => {
        await browser.type(text);
        await browser.ctrlD();
    },
    echo: text,
});
const ctrlD = { act: () => browser.ctrlD(), echo: '' };
// A paste through the clipboard, as a user pastes: the text is copied from a
// text area of the test's own, which is gone before it is pasted. What is
// pasted up to its last line break is sent, and echoed, at once.
function paste(text) {
    const lines = text.replace(/\r\n?/g, '\n');
    return {
        async act() {
            await browser.run((copied) => {
                const area = document.createElement('textarea');
                area.id = 'copied';
                area.value = copied;
                document.body.append(area);
                area.select();
            }, text);
            await browser.copy();
            await browser.run(() => {
                document.getElementById('copied').remove();
                document.querySelector('input').focus();
            });
            await browser.paste();
        },
        echo: lines.slice(0, lines.lastIndexOf('\n') + 1),
    };
}

// --- The tests ----------------------------------------------------------------

before(async () => {
    browser = await engines[engine]();
});
after(() => browser?.close());

// Typed transcripts, those that can be typed (printable, no arguments): each
// line of the input with Enter, a last line without a line break with
// Ctrl+D, then Ctrl+D again if the program still waits.
const printable = (text) => !/[\x00-\x09\x0b-\x1f\x7f]/.test(text);
for (const name of names) {
    const input = readFileSync(`${transcripts}/${name}.in`, 'utf8');
    if (!printable(input) || existsSync(`${transcripts}/${name}.args`)) {
        continue;
    }
    test(`typed: ${name}`, async () => {
        const read = (ending) => (existsSync(`${transcripts}/${name}.${ending}`) ?
                                  readFileSync(`${transcripts}/${name}.${ending}`, 'utf8') : '');
        await browser.open(page);
        const steps = input.match(/[^\n]*\n|[^\n]+$/g)?.map((line) =>
            line.endsWith('\n') ? typeLine(line.slice(0, -1)) : typeThenCtrlD(line)) ?? [];
        if (!input.endsWith('\n')) {
            steps.push(ctrlD);
        }
        expect(await session(steps), read('out') + read('err'), read('err') ? 1 : 0);
    });
}

test('the page is at most 64 KB', () => {
    assert.ok(statSync(packed('-web.html')).size <= 64 * 1024);
});

test('the button ends the input', async () => {
    await browser.open(page);
    const result = await session([{ act: () => browser.click('end'), echo: '' }]);
    expect(result, onConsole(''), 1);
});

// Lines pasted at once are echoed at once, as a terminal echoes them, and
// read one by one; what follows the last line break stays typed.
test('a paste of several lines', async () => {
    await browser.open(page);
    const result = await session([paste('7\n-1\r\n3 50\n0\n12\n3\n9\n1\n44\n3'), { ...enter, echo: '3\n' }]);
    expect(result, onConsole('7\n-1\n3 50\n0\n12\n3\n9\n1\n44\n3\n'), 0);
});

test('running again starts from the beginning', async () => {
    await browser.open(page);
    const values = ['7', '3', '50', '0', '12', '3', '9', '1', '44', '3'];
    await session(values.map(typeLine));
    await browser.click('again');
    expect(await session(values.map(typeLine)), onConsole(`${values.join('\n')}\n`), 0);
});

// Input that a console takes in its stride; the page too, answering the
// while.
const tenValues = '1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n';
const bad = {
    'a line of a megabyte': `${'x'.repeat(1 << 20)}\n${tenValues}`,
    'ten thousand lines': `${'51\n'.repeat(10000)}${tenValues}`,
    'Greek letters and emoji': `λέξη αβγ\n😀 7\n${tenValues}`,
};
for (const [what, input] of Object.entries(bad)) {
    test(what, async () => {
        await browser.open(page);
        const pasted = paste(input);
        const result = await session([{
            act: async () => {
                await pasted.act();
                const asked = performance.now();
                await browser.run(() => 0);
                assert.ok(performance.now() - asked < 1000, 'the page did not answer within a second');
            },
            echo: pasted.echo,
        }]);
        expect(result, onConsole(input), 0);
    });
}

test('a bare Enter', async () => {
    await browser.open(page);
    const result = await session([enter, enter, ...'1 2 3 4 5 6 7 8 9 10'.split(' ').map(typeLine)]);
    expect(result, onConsole(`\n\n${tenValues}`), 0);
});
