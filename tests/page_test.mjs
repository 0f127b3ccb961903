// Runs the page, as packed, in one browser engine, the way a user does, and
// checks what it draws, reads out and says, against the console program's
// own run: sessions, a rerun, the figure and the steps, failures, an audit,
// and screens from a phone's to a desktop's. PACKAGES holds the page and
// the WASI module, which EMULATOR runs as the console program. Where the
// engine or node_modules is missing, the test says so and is skipped.
//   node page_test.mjs chromium|firefox|webkit PACKAGES TRANSCRIPTS NAME... -- EMULATOR...
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { engine as start, skip, until } from './browsers.mjs';

const [engine, packages, transcripts, ...rest] = process.argv.slice(2);
const names = rest.slice(0, rest.indexOf('--'));
const emulator = rest.slice(rest.indexOf('--') + 1);
const packed = (ending) => `${packages}/${readdirSync(packages).find((file) => file.endsWith(ending))}`;
const page = pathToFileURL(packed('-web.html')).href;

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

let browser;
// The one look at the page, as a user meets it. The beads are counted by row
// where drawn, and those drawn faint, not yet read; a counter marked * grew.
const look = () => browser.run(() => {
    const $ = (selector) => document.querySelector(selector);
    const log = $('[role=log]');
    const rods = $('#beads .rods').getBoundingClientRect();
    const rows = Array(Number(getComputedStyle($('#beads .rods')).getPropertyValue('--rows')) || 0).fill(0);
    let faint = 0;
    for (const bead of document.querySelectorAll('#beads .bead')) {
        rows[Math.round((bead.getBoundingClientRect().top - rods.top) / (rods.height / rows.length))] += 1;
        faint += Number(getComputedStyle(bead).opacity) < 1;
    }
    const texts = (selector, each = (node) => node.textContent) => [...document.querySelectorAll(selector)].map(each);
    return {
        screen: log.textContent, status: log.dataset.exitStatus ?? null,
        waiting: 'reading' in log.dataset || 'exitStatus' in log.dataset || !$('#failure').hidden,
        shown: ['beads', 'source', 'ended', 'again', 'failure', 'failed'].filter((id) => !$(`#${id}`).hidden),
        ended: [$('#status').textContent, $('input').disabled, $('#end').disabled],
        failure: $('#failure').textContent, reason: $('#reason').textContent,
        figure: { ...$('#beads').dataset }, state: $('#beads').dataset.state ?? null, at: $('#beads').dataset.at ?? null,
        moving: document.getAnimations().length, beads: rows.join(' '), faint,
        focused: document.activeElement.id || document.activeElement.dataset?.action,
        pile: $('.pile')?.textContent, counts: texts('.row-count').join(' '),
        text: texts('.as-entered, .as-fallen'), said: $('.step-text').textContent,
        live: $('.step-text').getAttribute('aria-live'), lit: $('.lit')?.textContent.trim() ?? null,
        values: texts('.values tr', (tr) => texts(`.values tr:nth-child(${tr.rowIndex + 1}) > *`,
                                                   (cell) => cell.textContent + (cell.className === 'grew' ? '*' : '')).join(' ')),
        disabled: texts('#steps [aria-disabled=true]', (button) => button.dataset.action),
        reach: texts('.bead.reach').length, score: $('.score').hidden ? null : $('.score').textContent,
        notice: $('#notice').hidden ? '' : $('#notice').textContent,
    };
});
// The fields of a look that a row of a table names.
const pick = (shown, wanted) => Object.fromEntries(Object.keys(wanted).map((key) => [key, shown[key]]));
const lookUntil = (check, what, ms) => until(async () => {
    const shown = await look();
    return check(shown) && shown;
}, what, ms);
const settled = () => lookUntil((shown) => shown.waiting, 'the program to wait, end or fail');
const rested = (state) => lookUntil((shown) => shown.state === state && !shown.moving, `the beads at rest, ${state}`);

// A user's session: each step, which echoes what it says, is taken once the
// program waits, and its echo noted with where the screen ended then.
async function session(steps, ends = true) {
    const echoes = [];
    await settled();
    for (const { act, echo } of steps) {
        const { screen } = await look();
        await act();
        echoes.push({ at: screen.length, text: echo });
        await settled();
    }
    return { ...await lookUntil((shown) => !ends || shown.status !== null, 'the program to end'), echoes };
}

// The console program, the WASI module under the emulator, on these bytes;
// on the page, its output with each echo put back where it was typed. Once
// the program has ended, the page says its status and takes no input.
function expect(result, input) {
    const run = spawnSync(emulator[0], [...emulator.slice(1), packed('-wasi.wasm')], { input, maxBuffer: 1 << 28 });
    const output = run.stdout.toString() + run.stderr.toString();
    let screen = '';
    let taken = 0;
    for (const { at, text } of result.echoes) {
        const shown = at - (screen.length - taken);
        screen += output.slice(taken, shown) + text;
        taken = shown;
    }
    assert.equal(result.screen, screen + output.slice(taken));
    assert.deepEqual([result.status, result.ended], [String(run.status), [String(run.status), true, true]]);
}

const typeLine = (text) => ({ act: () => (text ? browser.type(text) : Promise.resolve()).then(browser.enter),
                               echo: `${text}\n` });
const enter = { act: () => browser.enter(), echo: '\n' };
const ctrlD = { act: () => browser.ctrlD(), echo: '' };
// Ctrl+D as the Greek layout gives it: the key where D is, called delta.
const greekCtrlD = { echo: '', act: () => browser.run(() => document.querySelector('input').dispatchEvent(
    new KeyboardEvent('keydown', { key: 'δ', code: 'KeyD', ctrlKey: true, bubbles: true, cancelable: true }))) };
const typeThen = (text, key = ctrlD) => ({ act: () => browser.type(text).then(key.act), echo: text });
// Lines put into the input at once, pasted or dropped. A paste goes through
// the clipboard, as a user pastes: the text is copied from a text area of the
// test's own, which is gone before it is pasted. What is put in up to its
// last line break is sent, and echoed, at once; the page answers within a
// second.
function insert(text, how = 'paste') {
    const lines = text.replace(/\r\n?/g, '\n');
    const paste = async () => {
        await browser.run((copied) => {
            const area = Object.assign(document.createElement('textarea'), { id: 'copied', value: copied });
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
        const dataTransfer = new DataTransfer();
        dataTransfer.setData('text/plain', dropped);
        document.querySelector('input').dispatchEvent(new DragEvent('drop', { dataTransfer, bubbles: true, cancelable: true }));
    }, text);
    const act = async () => {
        await (how === 'paste' ? paste : drop)();
        const asked = performance.now();
        await browser.run(() => 0);
        assert.ok(performance.now() - asked < 1000, 'the page did not answer within a second');
    };
    return { act, echo: lines.slice(0, lines.lastIndexOf('\n') + 1) };
}

before(async () => {
    browser = await start(engine);
});
after(() => browser?.close());

// Sessions: the transcripts that can be typed (printable, no arguments),
// each line with Enter, a last line without a line break with Ctrl+D, and
// Ctrl+D again if the program still waits; early ends; pastes and drops;
// input that a console takes in its stride. Where the program sorted, the
// figure ends on the rows read: its fallen rows, bead for bead, its rows'
// counts and its text are the report's; its rows as entered and its piles,
// where pinned, those that the program took and counted. Else no figure.
const typed = (input) => [...input.match(/[^\n]*\n|[^\n]+$/g)?.map((line) =>
    (line.endsWith('\n') ? typeLine(line.slice(0, -1)) : typeThen(line))) ?? [], ...input.endsWith('\n') ? [] : [ctrlD]];
const repeat = (value, times) => Array(times).fill(value).join(' ');
const tenValues = '1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n';
const sessions = [
    ...names.map((name) => ({ name: `typed: ${name}`, input: readFileSync(`${transcripts}/${name}.in`, 'utf8') }))
        .filter(({ name, input }) => !/(?!\n)\p{Cc}/u.test(input) && !existsSync(`${transcripts}/${name.slice(7)}.args`)),
    { name: 'typed: all 0', input: '0\n'.repeat(10), pinned: { counts: repeat(0, 50) } },
    { name: 'typed: all 50', input: '50\n'.repeat(10), pinned: { counts: repeat(10, 50) } },
    { name: 'the input ends early by the button', input: '', steps: [{ act: () => browser.click('end'), echo: '' }] },
    { name: 'the input ends early by Ctrl+D on a Greek layout', input: '1\n3',
      steps: [typeLine('1'), typeThen('3', greekCtrlD), greekCtrlD] },
    // As a line pasted alone does, what follows the last line break stays
    // typed. (A test's drop inserts nothing by itself.)
    ...['paste', 'drop'].map((how) => ({
        name: `a ${how} of several lines`, input: '7\n-1\n3 50\n0\n12\n3\n9\n1\n44\n3\n',
        steps: [...how === 'paste' ? [insert('7')] : [],
                { ...insert(`${how === 'paste' ? '' : '7'}\n-1\r\n3 50\n0\n12\n3\n9\n1\n44\n3`, how),
                  echo: '7\n-1\n3 50\n0\n12\n3\n9\n1\n44\n' },
                { ...enter, echo: '3\n' }],
    })),
    { name: 'a bare Enter', input: `\n\n${tenValues}`, steps: [enter, enter, ...typed(tenValues)] },
    ...Object.entries({
        'a line of a megabyte': `${'x'.repeat(1 << 20)}\n${tenValues}`,
        'ten thousand lines': `${'51\n'.repeat(10000)}${tenValues}`,
        'Greek letters and emoji': `λέξη αβγ\n😀 7\n${tenValues}`,
        // About the C library's read of 1,024 bytes, a value at each line's end.
        ...Object.fromEntries([1023, 1024, 1025].map((bytes) => [`a line of ${bytes} bytes`,
                                                                `${' '.repeat(bytes - 2)}5\n${tenValues}`])),
    }).map(([name, input]) => ({ name, input, steps: [insert(input)] })),
];
const pinned = {
    'typed: example-session': { entered: '7 3 50 0 12 3 9 1 44 3',
                                counts: `9 8 8 5 5 5 5 4 4 3 3 3 ${repeat(2, 32)} ${repeat(1, 6)}` },
    'typed: element-4-rejected': { entered: '5 4 3 2 1 0 9 8 7 6' },
};
for (const { name, input, steps = typed(input), pinned: pins = pinned[name] ?? {} } of sessions) {
    test(name, async () => {
        await browser.open(page);
        const result = await session(steps);
        expect(result, input);
        const report = [...result.screen.matchAll(/Το στοιχείο \d+ είναι ίσο με (\d+) \n/g)].map((line) => line[1]);
        if (report.length === 0) {
            assert.deepEqual([result.shown.includes('beads'), result.figure], [false, {}]);
            return;
        }
        const shown = await rested('read');
        const { entered = shown.figure.entered, counts = shown.figure.counts } = pins;
        assert.deepEqual(pick(shown, { figure: 0, beads: 0, counts: 0, text: 0 }), {
            figure: { entered, fallen: report.join(' '), counts, state: 'read' },
            beads: report.join(' '), counts: report.join(' '), text: [entered.replaceAll(' ', ', '), report.join(', ')],
        });
    });
}

// Keys pressed after the end, at once and a second on, leave the run as it
// ended, its status focused. Run again, the page is as a fresh one is: its
// screen, the exit status, no figure and no word of the run's end.
test('running again starts from the beginning', async () => {
    const fresh = async () => pick(await settled(), { screen: 0, status: 0, shown: 0, figure: 0 });
    await browser.open(page);
    const first = await fresh();
    await session(typed('7\n3\n50\n0\n12\n3\n9\n1\n44\n3\n'));
    const ended = pick(await rested('read'), { screen: 0, status: 0, shown: 0, figure: 0, focused: 0 });
    await browser.enter();
    const pressed = await browser.run(() => performance.now());
    await until(() => browser.run((from) => performance.now() - from > 1000, pressed), 'a second');
    await browser.enter();
    assert.deepEqual(pick(await look(), ended), { ...ended, focused: 'ended' });
    await browser.click('again');
    assert.deepEqual(await fresh(), first);
    expect(await session(typed('7\n3\n50\n0\n12\n3\n9\n1\n44\n3\n')), '7\n3\n50\n0\n12\n3\n9\n1\n44\n3\n');
});

// Links, each opened afresh: one types its lines as if typed each when the
// program waits, and shows the screen that typing them does; one of 5,000
// bytes, and one that does not decode, type nothing and say why. A session
// shared, its link opened in the page, types it again; in a frame too.
const links = [
    { fragment: '12,34,5,0,50,7,7,3,9,1', lines: ['12', '34', '5', '0', '50', '7', '7', '3', '9', '1'], ends: true },
    { fragment: '51,7%203,x%2Cy,,50', lines: ['51', '7 3', 'x,y', '', '50'] },
    { fragment: 'x'.repeat(5000), notice: /^Ο σύνδεσμος έχει 5000 byte.* · The link is 5000 bytes, over 4096, so nothing/ },
    { fragment: '7,%E0%A4%A', notice: /· The link does not read as lines, so nothing was typed\.$/ },
    { shared: true, lines: ['51', '7 3', 'λέξη', 'x,y', '50', '0', '12', '3', '9', '1', '44', '3'], ends: true },
];
for (const { fragment, lines = [], ends = false, notice = /^$/, shared } of links) {
    test(shared ? 'a session shared, in a frame' : `a link of ${fragment.length} characters`, async () => {
        let linked = !shared && await browser.open(`${page}#${fragment}`).then(settled);
        await browser.open(page, shared);
        const typedLines = await session(lines.map(typeLine), ends);
        if (shared) {
            await browser.run(() => {
                document.querySelector('[data-action=share]').click();
                const link = document.getElementById('share').value;
                document.getElementById('again').click();
                location.href = link;
            });
            linked = await lookUntil((shown) => shown.status === '0', 'the shared link');
        }
        assert.deepEqual(pick(linked, { screen: 0, status: 0 }), pick(typedLines, { screen: 0, status: 0 }));
        assert.match(linked.notice, notice);
    });
}

// Guessing first, by the keyboard alone, on the example session: every
// pile guessed right, and the rows; then, run again, the pile of rod 1 and
// the rows guessed wrong. Each guess is asked with the field focused, the
// figure not showing the pile, and said right or wrong; a pile guessed
// wrong is shown, with the beads that reach past its rod lit.
test('guessing first', async () => {
    await browser.open(page, engine !== 'webkit');
    const answer = async (guess, asked) => {
        const asking = await lookUntil((shown) => shown.focused === 'guess', asked);
        assert.deepEqual([asking.figure.asked, asking.pile], [asked, asked === 'rows' ? '' : '?']);
        await browser.type(guess);
        await browser.enter();
        return lookUntil((shown) => !shown.moving && shown.figure.guessed && shown.focused === 'next', 'the guess checked');
    };
    for (const [round, score] of ['50 από 50 στοίβες σωστές · 50 of 50 piles rightΟι σειρές σωστές · The rows right',
                                  '49 από 50 στοίβες σωστές · 49 of 50 piles rightΟι σειρές λάθος · The rows wrong'].entries()) {
        await session([typeLine('7 3 50 0 12 3 9 1 44 3')]);
        await lookUntil((shown) => shown.state, 'the figure');
        await browser.run((first) => [...first ? ['guess'] : [], 'next'].map((action) =>
            document.querySelector(`[data-action=${action}]`).click()), round === 0);
        for (const [j, pile] of pinned['typed: example-session'].counts.split(' ').entries()) {
            const shown = await answer(round && !j ? '8' : pile, `pile ${j}`);
            assert.deepEqual([shown.figure.guessed, shown.reach], round && !j ? ['wrong', 9] : ['right', 0]);
            assert.match(shown.said, round && !j ? /^Όχι, η στοίβα της είναι 9\. .* · Not so: its pile is 9\. Rod 1: / : /^Σωστά/);
            await browser.enter();
        }
        assert.equal((await answer(round ? sorted.replace('50', '49') : sorted, 'rows')).score, score);
        await browser.click('again');
    }
});

// A learner steps through the fall and the sort's loops of the example
// session, in this order: each row clicks its button, times times, and once
// the beads are at rest (or, for an until row, at that step) the page shows
// what the row names.
const sorted = '0 1 3 3 3 7 9 12 44 50';
const thresholds = 'threshold 10 9 8 7 6 5 4 3 2 1';
const walk = [
    // Chosen as the beads wait to fall, the rows as entered stay.
    { click: '[data-fall=entered]', early: true, state: 'entered', beads: '7 3 50 0 12 3 9 1 44 3' },
    { click: '[data-fall=read]', beads: sorted, counts: sorted, disabled: ['previous'] },
    { click: '.replay', state: 'entered' },
    { click: '[data-action=next]', at: 'drop 0', values: ['j 0', 'pile 9'], pile: '9', counts: '         ',
      lit: 'pile += static_cast<std::int32_t>(v > j);', disabled: [] },
    // Back from the first step to the rows as entered, and on again.
    { click: '[data-action=previous]', state: 'entered', said: '', lit: null, disabled: ['previous'] },
    { click: '[data-action=next]', times: 12, at: 'drop 11', beads: '0 1 41 3 3 7 9 12 44 12', faint: 0,
      said: 'Ράβδος 12: τη φτάνουν 3 τιμές, και η στοίβα της είναι 3 · Rod 12: 3 values reach past it; its pile is 3' },
    { click: '[data-action=next]', times: 38, at: 'drop 49', said: /· Rod 50: 1 value reaches past it; its pile is 1$/ },
    { click: '[data-action=next]', at: 'rows 0', beads: sorted, counts: '0 1 1 1 1 1 1 1 1 1', faint: 123,
      lit: 'counter += static_cast<std::int32_t>(pile >= threshold);',
      values: ['j 0', 'pile 9', thresholds, 'counter 0 1* 1* 1* 1* 1* 1* 1* 1* 1*'] },
    { click: '[data-action=next]', times: 11, at: 'rows 11', counts: '0 1 3 3 3 7 9 12 12 12', faint: 70, pile: '3',
      values: ['j 11', 'pile 3', thresholds, 'counter 0 1 3 3 3 7 9 12* 12* 12*'],
      said: /· Rod 12: its pile is 3 high and adds a bead to each of the bottom 3 rows$/ },
    { click: '[data-action=next]', times: 38, at: 'rows 49', counts: sorted, disabled: ['next'],
      said: /· Rod 50: its pile is 1 high .*\. The rows now count the values in order: 0, 1, 3, 3, 3, 7, 9, 12, 44, 50$/ },
    { click: '[data-action=previous]', times: 2, at: 'rows 47',
      said: /· Rod 48: its pile is 1 high and adds a bead to the bottom row$/ },
    // Played, the steps are not read out; played to the end, they are
    // again. At medium speed a step stays 0.4 s.
    { click: '[data-action=play]', at: 'rows 48', live: 'off' },
    { until: 'rows 49', at: 'rows 49', live: 'polite', disabled: ['next'] },
    { click: '[data-action=play]', at: 'drop 0', live: 'off' },
    { click: '[data-fall=read]', counts: sorted, said: '' },
    { click: '[data-action=play]', at: 'drop 0', live: 'off', stays: 300 },
];
test('stepping through the fall, and through the loops', async () => {
    await browser.open(page);
    await session([typeLine('7 3 50 0 12 3 9 1 44 3')]);
    // The source is shown as its file has it, numbered from its own line,
    // with no word for the tools.
    const header = readFileSync(new URL('../src/sorting/bead_sort.hpp', import.meta.url), 'utf8').split('\n');
    const [reset, code] = await browser.run(() => [getComputedStyle(document.querySelector('.code')).counterReset,
                                                   document.querySelector('.code').textContent]);
    assert.ok(header.slice(reset.split(' ')[1]).join('\n').startsWith(code) && !code.includes('cppcheck'), reset);
    await lookUntil((shown) => shown.state, 'the figure');
    for (const { click, times = 1, early, until: step, at, said, stays, ...wanted } of walk) {
        const clicked = await browser.run((selector, n) => {
            for (let i = 0; i < n; i += 1) {
                document.querySelector(`#beads ${selector}`).click();
            }
            return performance.now();
        }, click ?? '*', click ? times : 0);
        const shown = await lookUntil((now) => (!step || now.at === step) && (!wanted.live || now.live === wanted.live) &&
                                               (wanted.live === 'off' || !now.moving), `${click ?? step}`);
        assert.deepEqual(pick(shown, { ...wanted, at }), { ...wanted, at: at ?? null }, `${click} ${at}`);
        assert.ok(said === undefined || (said.test?.(shown.said) ?? shown.said === said), shown.said);
        if (early) {
            // The fall that waited does not come, a second on.
            await until(() => browser.run((from) => performance.now() - from > 1000, clicked), 'a second');
            assert.equal((await rested('entered')).beads, wanted.beads);
        }
        if (stays) {
            const next = await until(() => browser.run(() => document.getElementById('beads').dataset.at !== 'drop 0' &&
                                                       performance.now()), 'the next step');
            assert.ok(next - clicked >= stays, `the step stayed ${next - clicked} ms`);
        }
    }
});

// A failure is said in the page, in Greek and English, with the error's own
// text; the input is closed, and the program has no exit status. Only a run
// that failed can be run again.
const trap = Buffer.from([0x00, 0x61, 0x73, 0x6d, 0x01, 0x00, 0x00, 0x00, 0x01, 0x04, 0x01, 0x60, 0x00, 0x00,
                          0x03, 0x02, 0x01, 0x00, 0x07, 0x0a, 0x01, 0x06, ...Buffer.from('_start'), 0x00, 0x00,
                          0x0a, 0x05, 0x01, 0x03, 0x00, 0x00, 0x0b]).toString('base64');
const failures = [
    { what: 'a module that traps', reason: /RuntimeError/, again: true,
      change: (html) => html.replace(/(<script type="application\/wasm" id="program">)[^<]*/, (_, start) => start + trap) },
    { what: 'a browser without WebAssembly', reason: /WebAssembly/, again: false,
      change: (html) => html.replace('<head>', '<head>\n<script>delete window.WebAssembly;</script>') },
];
const folder = mkdtempSync(join(tmpdir(), 'beadsort-page-'));
for (const { what, reason, again, change } of failures) {
    test(`failure: ${what}`, async () => {
        const file = join(folder, `${what}.html`);
        writeFileSync(file, change(readFileSync(packed('-web.html'), 'utf8')));
        await browser.open(pathToFileURL(file).href);
        const shown = await settled();
        assert.match(shown.failure, /δεν μπόρεσε να τρέξει[^]*could not run/);
        assert.match(shown.reason, reason);
        assert.deepEqual([shown.shown, shown.ended[1], shown.status],
                         [again ? ['again', 'failure', 'failed'] : ['failure', 'failed'], true, null]);
    });
}

// axe-core, in light mode and in dark mode with reduced motion, after a range
// error: with standard error on screen, and with the beads, once the screen's
// first lines have scrolled out of view, where it cannot tell their contrast.
// Nothing found, no contrast undecided. With reduced motion too, the figure
// ends on the rows read, and no step or state of the fall moves a bead.
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
const puppeteerOnly = { skip: engine === 'webkit' && 'driven by puppeteer only' };
test('axe-core finds nothing, in light and dark mode', puppeteerOnly, async () => {
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
            assert.equal((await rested('read')).beads, sorted);
            assert.ok(mode === 'light' || (await browser.run(() => ['[data-action=next]', '[data-fall=fallen]'].every((button) => {
                document.querySelector(button).click();
                return document.getAnimations().length === 0;
            }))), 'beads moved with reduced motion');
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
// is scrolling, a wheel each 100 ms, is not scrolled, and the beads wait to
// be seen.
const screens = [[390, 844], [360, 640, 'scrolling'], [1366, 768], [1024, 768], [1920, 1080]];
for (const [width, height, scrolling] of screens) {
    test(`a screen of ${width}×${height}`, puppeteerOnly, async () => {
        // To the pixel: a box may end a fraction of one past the edge.
        const inView = () => browser.run(() => ['prompt', 'line'].map((id) => {
            const box = document.getElementById(id).getBoundingClientRect();
            return box.top >= 0 && box.left >= 0 && Math.floor(box.bottom) <= visualViewport.height &&
                   Math.floor(box.right) <= visualViewport.width;
        }).concat(document.activeElement.id));
        await browser.viewport(width, height);
        try {
            await browser.open(page);
            await settled();
            assert.deepEqual(await inView(), [true, true, 'line']);
            await browser.run(() => scrollTo(0, 0));
            await browser.viewport(width, height >> 1);
            await until(async () => (await inView())[1], 'the input in view', 2000);
            await browser.viewport(width, height);
            await browser.open(page);
            await browser.run(() => {
                const figure = document.getElementById('beads');
                new MutationObserver(() => {
                    const box = figure.getBoundingClientRect();
                    window.entered ??= figure.dataset.state === 'entered' ? performance.now() : undefined;
                    window.seen ??= figure.dataset.state === 'fallen' ?
                        (Math.min(box.bottom, innerHeight) - Math.max(box.top, 0)) / box.height : undefined;
                    window.paused ??= window.seen && performance.now() - window.entered;
                }).observe(figure, { attributeFilter: ['data-state'] });
            });
            await session([typeLine('7 3 50 0 12 3 9 1 44 3')]);
            await rested('read');
            // The rows as entered stay 0.7 s before they fall.
            const [seen, paused] = await browser.run(() => [window.seen, window.paused]);
            assert.ok(seen >= 0.5 && paused >= 700, `${Math.round(100 * seen)} % of the figure in view as it falls, ${paused} ms on`);
            assert.equal((await look()).focused, 'ended');
            if (scrolling) {
                await browser.open(page);
                await browser.run(() => setInterval(() => {
                    window.wheels = (window.wheels ?? 0) + 1;
                    dispatchEvent(new WheelEvent('wheel'));
                }, 100));
                await session([typeLine('7 3 50 0 12 3 9 1 44 3')]);
                const [wheels, still] = await browser.run(() => [window.wheels ?? 0, scrollY]);
                await until(() => browser.run((from) => window.wheels > from + 15, wheels), 'the wheels');
                assert.deepEqual(await browser.run(() => [scrollY, document.getElementById('beads').dataset.state]),
                                 [still, 'entered']);
                await browser.run(() => document.getElementById('beads').scrollIntoView());
                await rested('read');
            }
        } finally {
            await browser.viewport(800, 600);
        }
    });
}
