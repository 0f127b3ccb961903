// Runs the page, as packed, in one browser engine, the way a user does: types
// each transcript line by line once the program waits, ends the input with
// Ctrl+D on a Latin and a Greek layout and with the button, pastes and drops
// lines, and runs the program again. The screen must be what a terminal
// shows: the console program's output, with each typed line echoed where it
// was typed. A trapping module and a missing feature must each be said in the
// page; axe-core audits the page in light and dark mode, and it must keep its
// prompt and input on a phone's first screen.
//   node page_test.mjs chromium|firefox|webkit PACKAGES TRANSCRIPTS NAME... -- EMULATOR...
// PACKAGES holds the page and the WASI module; EMULATOR runs the module as
// the console program. Where the engine or node_modules is missing, the test
// says so and is skipped.
import { spawn, spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readdirSync, readFileSync, statSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { puppeteerBrowsers } from './browsers.mjs';

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
    return {
        open: (url) => tab.goto(url),
        run: (fn, ...args) => tab.evaluate(fn, ...args),
        type: (text) => tab.keyboard.type(text),
        enter: () => tab.keyboard.press('Enter'),
        ctrlD: () => ctrl('KeyD'),
        copy: () => ctrl('KeyC', ['copy']),
        paste: () => ctrl('KeyV', ['paste']),
        click: (id) => tab.click(`#${id}`),
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
        for (let waited = 0; !exited && waited < 30000; waited += 50) {
            if (await fetch(`http://127.0.0.1:${port}/status`).then((response) => response.ok, () => false)) {
                return { url: `http://127.0.0.1:${port}`, service };
            }
            await sleep(50);
        }
        service.kill();
    }
    throw new Error('WebKitWebDriver did not start');
}

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
            open: (page) => driver.get(page),
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

// Waits until the program waits for input, as the page says, or has ended,
// or has failed.
async function settle() {
    for (let waited = 0; waited < 30000; waited += 10) {
        if (await browser.run(() => {
            const log = document.querySelector('[role=log]');
            return 'reading' in log.dataset || 'exitStatus' in log.dataset || !document.getElementById('failure').hidden;
        })) {
            return;
        }
        await sleep(10);
    }
    throw new Error('the program neither waited nor ended in 30 s');
}

// A user's session: each step, which echoes what it says, is taken once the
// program waits, and its echo noted with where the screen ended then.
async function session(steps) {
    const echoes = [];
    await settle();
    for (const { act, echo } of steps) {
        const before = await screen();
        await act();
        echoes.push({ at: before.length, text: echo });
        await settle();
    }
    for (let waited = 0; (await exitStatus()) === null; waited += 25) {
        assert.ok(waited < 30000, 'the program did not end');
        await sleep(25);
    }
    // Once the program has ended, the page says its status and takes no input.
    const ended = await browser.run(() => [!document.getElementById('ended').hidden && document.getElementById('status').textContent,
                                           document.querySelector('input').disabled, document.getElementById('end').disabled]);
    return { echoes, screen: await screen(), status: Number(await exitStatus()), ended };
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
    assert.deepEqual(result.ended, [String(status), true, true]);
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
const ctrlD = { act: () => browser.ctrlD(), echo: '' };
// Ctrl+D as the Greek layout gives it: the key where D is, called delta.
const greekCtrlD = {
    act: () => browser.run(() => document.querySelector('input').dispatchEvent(
        new KeyboardEvent('keydown', { key: 'δ', code: 'KeyD', ctrlKey: true, bubbles: true, cancelable: true }))),
    echo: '',
};
const typeThenCtrlD = (text, key = ctrlD) => ({
    act: async () => {
        await browser.type(text);
        await key.act();
    },
    echo: text,
});
// Lines put into the input at once, pasted or dropped. A paste goes through
// the clipboard, as a user pastes: the text is copied from a text area of the
// test's own, which is gone before it is pasted. What is put in up to its
// last line break is sent, and echoed, at once.
function insert(text, how = 'paste') {
    const lines = text.replace(/\r\n?/g, '\n');
    const paste = async () => {
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
    };
    const drop = () => browser.run((dropped) => {
        const data = new DataTransfer();
        data.setData('text/plain', dropped);
        document.querySelector('input').dispatchEvent(
            new DragEvent('drop', { dataTransfer: data, bubbles: true, cancelable: true }));
    }, text);
    return { act: how === 'paste' ? paste : drop, echo: lines.slice(0, lines.lastIndexOf('\n') + 1) };
}

// A copy of the page, changed, in a folder of its own.
const folder = mkdtempSync(join(tmpdir(), 'beadsort-page-'));
function changedPage(name, change) {
    const file = join(folder, `${name}.html`);
    writeFileSync(file, change(readFileSync(packed('-web.html'), 'utf8')));
    return pathToFileURL(file).href;
}
// A module whose _start is unreachable.
const trap = Buffer.from([0x00, 0x61, 0x73, 0x6d, 0x01, 0x00, 0x00, 0x00, 0x01, 0x04, 0x01, 0x60, 0x00, 0x00,
                          0x03, 0x02, 0x01, 0x00, 0x07, 0x0a, 0x01, 0x06, ...Buffer.from('_start'), 0x00, 0x00,
                          0x0a, 0x05, 0x01, 0x03, 0x00, 0x00, 0x0b]).toString('base64');

// --- The tests ----------------------------------------------------------------

before(async () => {
    browser = await engines[engine]();
});
after(() => browser?.close());

// The figure of the beads against the report on the screen, once the fall
// is over: the rows as entered are the values accepted, in any order; the
// fallen rows are the report's values, and the pile on each rod j is the
// number of them above j; each fallen row holds as many beads as its value.
// Where nothing was sorted there is no figure.
async function expectBeads(screenText, entered) {
    const report = [...screenText.matchAll(/Το στοιχείο \d+ είναι ίσο με (\d+) \n/g)].map((line) => Number(line[1]));
    const figure = () => browser.run(() => {
        const { hidden, dataset } = document.getElementById('beads');
        const { state = null, entered = null, fallen = null, counts = null } = dataset;
        return { hidden, state, entered, fallen, counts };
    });
    if (report.length === 0) {
        assert.deepEqual(await figure(), { hidden: true, state: null, entered: null, fallen: null, counts: null });
        return;
    }
    const shown = await figure();
    assert.equal(shown.fallen, report.join(' '));
    assert.equal(shown.counts, Array.from({ length: 50 }, (_, j) => report.filter((value) => value > j).length).join(' '));
    assert.equal(shown.entered.split(' ').map(Number).sort((a, b) => a - b).join(' '), report.join(' '));
    if (entered) {
        assert.equal(shown.entered, entered);
    }
    assert.equal(await beadRows('read'), report.join(' '));
    // The text alternative gives the same values.
    assert.deepEqual(await browser.run(() => ['.as-entered', '.as-fallen'].map((name) => document.querySelector(name).textContent)),
                     [shown.entered.split(' ').join(', '), report.join(', ')]);
}

// How many beads each row holds, by where they are drawn, once the figure
// is in this state and every bead has stopped.
async function beadRows(state) {
    for (let waited = 0; !(await browser.run((wanted) => document.getElementById('beads').dataset.state === wanted &&
                                                       document.getAnimations().length === 0, state)); waited += 25) {
        assert.ok(waited < 10000, `the beads did not come to rest, ${state}`);
        await sleep(25);
    }
    return browser.run(() => {
        const rods = document.querySelector('#beads .rods').getBoundingClientRect();
        const rows = Array(Number(getComputedStyle(document.querySelector('#beads .rods')).getPropertyValue('--rows')))
            .fill(0);
        for (const bead of document.querySelectorAll('#beads .bead')) {
            rows[Math.round((bead.getBoundingClientRect().top - rods.top) / (rods.height / rows.length))] += 1;
        }
        return rows.join(' ');
    });
}

// Typed sessions: the transcripts that can be typed (printable, no
// arguments), and a few of their own. Each line of the input is typed with
// Enter, a last line without a line break with Ctrl+D, then Ctrl+D again if
// the program still waits.
const printable = (text) => !/(?!\n)\p{Cc}/u.test(text);
const read = (name, ending) => (existsSync(`${transcripts}/${name}.${ending}`) ?
                                readFileSync(`${transcripts}/${name}.${ending}`, 'utf8') : '');
const sessions = names.map((name) => ({ name, input: read(name, 'in'),
                                         expected: () => [read(name, 'out') + read(name, 'err'), read(name, 'err') ? 1 : 0] }))
    .filter(({ name, input }) => printable(input) && !existsSync(`${transcripts}/${name}.args`))
    .concat(['0', '50'].map((value) => ({ name: `all ${value}`, input: `${value}\n`.repeat(10),
                                          expected: () => [onConsole(`${value}\n`.repeat(10)), 0] })));
// The values accepted, as the reader took them, where a session pins them.
const entered = {
    'example-session': '7 3 50 0 12 3 9 1 44 3',
    'element-4-rejected': '5 4 3 2 1 0 9 8 7 6',
};
for (const { name, input, expected } of sessions) {
    test(`typed: ${name}`, async () => {
        await browser.open(page);
        const steps = input.match(/[^\n]*\n|[^\n]+$/g)?.map((line) =>
            line.endsWith('\n') ? typeLine(line.slice(0, -1)) : typeThenCtrlD(line)) ?? [];
        if (!input.endsWith('\n')) {
            steps.push(ctrlD);
        }
        const result = await session(steps);
        expect(result, ...expected());
        await expectBeads(result.screen, entered[name]);
    });
}

test('the page is at most 64 KB', () => {
    assert.ok(statSync(packed('-web.html')).size <= 64 * 1024);
});

// The input ends before ten values: the program says so and ends with 1.
const earlyEnds = {
    'by the button': [[{ act: () => browser.click('end'), echo: '' }], ''],
    'by Ctrl+D on a Greek layout': [[typeLine('1'), typeThenCtrlD('3', greekCtrlD), greekCtrlD], '1\n3'],
};
for (const [how, [steps, input]] of Object.entries(earlyEnds)) {
    test(`the input ends early ${how}`, async () => {
        await browser.open(page);
        expect(await session(steps), onConsole(input), 1);
    });
}

// Lines pasted or dropped at once are echoed at once, as a terminal echoes
// them, and read one by one; what follows the last line break stays typed,
// as a line pasted alone does. (A test's drop inserts nothing by itself.)
for (const how of ['paste', 'drop']) {
    test(`a ${how} of several lines`, async () => {
        await browser.open(page);
        const alone = how === 'paste' ? [insert('7')] : [];
        const rest = { ...insert(`${alone.length ? '' : '7'}\n-1\r\n3 50\n0\n12\n3\n9\n1\n44\n3`, how),
                       echo: '7\n-1\n3 50\n0\n12\n3\n9\n1\n44\n' };
        const result = await session([...alone, rest, { ...enter, echo: '3\n' }]);
        expect(result, onConsole('7\n-1\n3 50\n0\n12\n3\n9\n1\n44\n3\n'), 0);
    });
}

// Before anything is typed, the page is as a fresh one is: its screen, the
// exit status, no figure and no word of the run's end.
test('running again starts from the beginning', async () => {
    const fresh = () => settle().then(() => browser.run(() => {
        const log = document.querySelector('[role=log]');
        const hidden = ['beads', 'source', 'ended', 'again'].map((id) => document.getElementById(id).hidden);
        return [log.textContent, log.dataset.exitStatus, hidden, { ...document.getElementById('beads').dataset }];
    }));
    await browser.open(page);
    const first = await fresh();
    const values = ['7', '3', '50', '0', '12', '3', '9', '1', '44', '3'];
    await session(values.map(typeLine));
    await browser.click('again');
    assert.deepEqual(await fresh(), first);
    expect(await session(values.map(typeLine)), onConsole(`${values.join('\n')}\n`), 0);
});

// A learner steps back to the rows as entered, on to the rows read, and
// plays the fall again. Then through the program's two loops, from the
// first Next on, rod by rod: the drop, then the rows, where each row's count
// grows by at most one a rod up to its value; and one step back.
test('stepping through the fall, and through the loops', async () => {
    await browser.open(page);
    await session([typeLine('7 3 50 0 12 3 9 1 44 3')]);
    const step = (which) => browser.run((selector) => {
        document.querySelector(`#beads ${selector}`).click();
        const counts = [...document.querySelectorAll('.row-count')].map((count) => count.textContent).join(' ');
        const [sentence, values] = ['[aria-live]', '.values'].map((name) => document.querySelector(name));
        return { at: document.getElementById('beads').dataset.at, counts, said: sentence.textContent, values: values.textContent,
                 lit: document.querySelector('.lit')?.textContent, live: sentence.getAttribute('aria-live') };
    }, which);
    // The source is shown as its file has it, numbered from its own line.
    const header = readFileSync(new URL('../src/sorting/bead_sort.hpp', import.meta.url), 'utf8').split('\n');
    const [reset, code] = await browser.run(() => [getComputedStyle(document.querySelector('.code')).counterReset,
                                                   document.querySelector('.code').textContent]);
    assert.ok(header.slice(reset.split(' ')[1]).join('\n').startsWith(code), reset);
    // Chosen as the beads wait to fall, the rows as entered stay.
    await browser.run(() => new Promise(function drawn(resolve) {
        setTimeout(() => (document.getElementById('beads').dataset.state ? resolve() : drawn(resolve)), 5);
    }));
    await step('[data-step=entered]');
    await sleep(1000);
    assert.equal(await beadRows('entered'), '7 3 50 0 12 3 9 1 44 3');
    await step('[data-step=read]');
    assert.equal(await beadRows('read'), '0 1 3 3 3 7 9 12 44 50');
    await step('.replay');
    assert.equal(await browser.run(() => document.getElementById('beads').dataset.state), 'entered');
    assert.equal(await beadRows('read'), '0 1 3 3 3 7 9 12 44 50');
    const sorted = [0, 1, 3, 3, 3, 7, 9, 12, 44, 50];
    const said = { 'drop 11': 'Rod 12: 3 values reach past it; its pile is 3', 'drop 49': 'Rod 50: 1 value reaches past it; its pile is 1' };
    for (const phase of ['drop', 'rows']) {
        for (let j = 0; j < 50; j += 1) {
            const shown = await step('[data-action=next]');
            assert.equal(shown.at, `${phase} ${j}`);
            assert.equal(shown.counts.trim(), phase === 'rows' ? sorted.map((value) => Math.min(value, j + 1)).join(' ') : '');
            assert.match(shown.lit, phase === 'drop' ? /pile \+=/ : /counter \+=/);
            assert.ok(shown.values.startsWith(`j${j}${phase === 'drop' ? 'pile' : 'height'}${sorted.filter((value) => value > j).length}`));
            assert.ok(!said[shown.at] || shown.said.endsWith(` · ${said[shown.at]}`), shown.said);
            // At drop 11, rods 1 to 12 have fallen; the rest are as entered.
            assert.ok(shown.at !== 'drop 11' || (await beadRows('steps')) === '0 1 41 3 3 7 9 12 44 12');
        }
    }
    assert.match((await step('[data-action=previous]')).said, /^Ράβδος 49: .* · Rod 49: its pile is 1 high and adds a bead to the bottom row$/);
    // Played to the end, the steps are read out again; at medium speed, a step stays 0.4 s.
    const played = await step('[data-action=play]');
    assert.deepEqual([played.at, played.live], ['rows 49', 'polite']);
    await step('[data-action=previous]');
    assert.equal((await step('[data-step=read]')).counts, sorted.join(' '));
    assert.equal((await step('[data-action=play]')).at, 'drop 0');
    await sleep(200);
    assert.equal((await step('[data-action=play]')).at, 'drop 0');
});

// Input that a console takes in its stride; the page too, answering the
// while.
const tenValues = '1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n';
const bad = {
    'a line of a megabyte': `${'x'.repeat(1 << 20)}\n${tenValues}`,
    'ten thousand lines': `${'51\n'.repeat(10000)}${tenValues}`,
    'Greek letters and emoji': `λέξη αβγ\n😀 7\n${tenValues}`,
    // About the C library's read of 1,024 bytes, a value at each line's end.
    ...Object.fromEntries([1023, 1024, 1025].map((bytes) => [`a line of ${bytes} bytes`,
                                                            `${' '.repeat(bytes - 2)}5\n${tenValues}`])),
};
for (const [what, input] of Object.entries(bad)) {
    test(what, async () => {
        await browser.open(page);
        const pasted = insert(input);
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

// A failure is said in the page, in Greek and English, with the error's own
// text; the input is closed, and the program has no exit status. Only a run
// that failed can be run again.
const failures = {
    'a module that traps': [() => changedPage('trapping', (html) => html.replace(
        /(<script type="application\/wasm" id="program">)[^<]*/, (_, start) => start + trap)), /RuntimeError/, true],
    'a browser without WebAssembly': [() => changedPage('without-webassembly', (html) => html.replace(
        '<head>', '<head>\n<script>delete window.WebAssembly;</script>')), /WebAssembly/, false],
};
for (const [what, [make, reason, again]] of Object.entries(failures)) {
    test(`failure: ${what}`, async () => {
        await browser.open(make());
        await settle();
        const state = await browser.run(() => {
            const shown = (id) => !document.getElementById(id).hidden;
            return {
                said: document.getElementById('failure').textContent,
                reason: document.getElementById('reason').textContent,
                shown: ['failure', 'failed', 'again'].filter(shown),
                open: !document.querySelector('input').disabled,
                status: document.querySelector('[role=log]').dataset.exitStatus ?? null,
            };
        });
        assert.match(state.said, /δεν μπόρεσε να τρέξει[^]*could not run/);
        assert.match(state.reason, reason);
        assert.deepEqual(state.shown, again ? ['failure', 'failed', 'again'] : ['failure', 'failed']);
        assert.deepEqual([state.open, state.status], [false, null]);
    });
}

// axe-core, in light and in dark mode, on the page after a range error:
// with standard error on screen, and with the figure of the beads, once the
// screen's first lines have scrolled out of its view, where axe-core cannot
// tell their contrast. Nothing found, and no contrast left undecided.
const axe = (() => {
    try {
        return readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
    } catch {
        return skip('axe-core (npm ci)');
    }
})();
const audited = {
    'standard error': [[typeLine('51'), typeLine('7'), { act: () => browser.click('end'), echo: '' }], {}],
    'the beads': [[typeLine('51'), typeLine('7 3 50 0 12 3 9 1 44 3')], { exclude: [['#terminal']] }],
};
test('axe-core finds nothing, in light and dark mode', { skip: engine === 'webkit' && 'driven by puppeteer only' },
     async () => {
         const light = browser;
         for (const mode of ['light', 'dark']) {
             browser = mode === 'light' ? light : await light.dark();
             try {
                 for (const [what, [steps, context]] of Object.entries(audited)) {
                     await browser.open(page);
                     await session(steps);
                     await browser.run(axe);
                     const found = await browser.run(async (within) => {
                         const results = await window.axe.run({ include: [['html']], ...within },
                                                              { resultTypes: ['violations', 'incomplete'] });
                         const where = (rules) => rules.flatMap((rule) => rule.nodes.map((node) => `${rule.id} ${node.target}`));
                         return { violations: where(results.violations),
                                  undecided: where(results.incomplete.filter((rule) => rule.id === 'color-contrast')) };
                     }, context);
                     assert.deepEqual(found, { violations: [], undecided: [] }, `${mode}, ${what}`);
                 }
                 // With reduced motion too, the figure ends on the rows read.
                 assert.equal(await beadRows('read'), '0 1 3 3 3 7 9 12 44 50');
             } finally {
                 if (browser !== light) {
                     await browser.close();
                 }
                 browser = light;
             }
         }
     });

// On a phone's screen, and a laptop's, a projector's and a desktop's, the
// first prompt and the input are on the first screen, the input focused;
// when an on-screen keyboard takes half the screen, the input stays in view.
// At least half the figure is in view as its beads begin to fall, and the
// focus has stayed on the button that runs the program again. A user who
// is scrolling is not scrolled, and the beads wait to be seen.
const screens = [[390, 844], [360, 640, 'scrolling'], [1366, 768], [1024, 768], [1920, 1080]];
for (const [width, height, scrolling] of screens) {
    test(`a screen of ${width}×${height}`, { skip: engine === 'webkit' && 'driven by puppeteer only' },
         async () => {
             // To the pixel: a box may end a fraction of one past the edge.
             const inView = () => browser.run(() => ['prompt', 'line'].map((id) => {
                 const box = document.getElementById(id).getBoundingClientRect();
                 return box.top >= 0 && box.left >= 0 && Math.floor(box.bottom) <= visualViewport.height &&
                        Math.floor(box.right) <= visualViewport.width;
             }).concat(document.activeElement.id));
             await browser.viewport(width, height);
             try {
                 await browser.open(page);
                 await settle();
                 assert.deepEqual(await inView(), [true, true, 'line']);
                 await browser.run(() => scrollTo(0, 0));
                 await browser.viewport(width, height >> 1);
                 for (let waited = 0; !(await inView())[1]; waited += 10) {
                     assert.ok(waited < 2000, 'the input is out of view');
                     await sleep(10);
                 }
                 await browser.viewport(width, height);
                 await browser.open(page);
                 await browser.run(() => {
                     const figure = document.getElementById('beads');
                     new MutationObserver(() => {
                         const box = figure.getBoundingClientRect();
                         window.seen ??= figure.dataset.state === 'fallen' ?
                             (Math.min(box.bottom, innerHeight) - Math.max(box.top, 0)) / box.height : undefined;
                     }).observe(figure, { attributeFilter: ['data-state'] });
                 });
                 await session([typeLine('7 3 50 0 12 3 9 1 44 3')]);
                 await beadRows('read');
                 const [seen, focused] = await browser.run(() => [window.seen, document.activeElement.id]);
                 assert.ok(seen >= 0.5, `${Math.round(100 * seen)} % of the figure in view as it falls`);
                 assert.equal(focused, 'again');
                 if (scrolling) {
                     await browser.open(page);
                     await browser.run(() => setInterval(() => dispatchEvent(new WheelEvent('wheel')), 100));
                     await session([typeLine('7 3 50 0 12 3 9 1 44 3')]);
                     const still = await browser.run(() => scrollY);
                     await sleep(1500);
                     assert.deepEqual(await browser.run(() => [scrollY, document.getElementById('beads').dataset.state]),
                                      [still, 'entered']);
                     await browser.run(() => document.getElementById('beads').scrollIntoView());
                     await beadRows('read');
                 }
             } finally {
                 await browser.viewport(800, 600);
             }
         });
}
