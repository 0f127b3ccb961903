// The page's WASI calls, its record of the run and its terminal under Node,
// fast and without a browser: the page's build of the program on a fake
// terminal, what it tells the page kept as told, the calls one by one on a
// fake instance, and the terminal on a small DOM of the test's own.
//   node page_modules_test.mjs PAGE_MODULE TRANSCRIPTS
import { readFileSync } from 'node:fs';
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { wasi } from '../web/wasi.mjs';
import { recorder } from '../web/record.mjs';
import { Terminal } from '../web/terminal.mjs';

const [file, transcripts] = process.argv.slice(2);
const module = new WebAssembly.Module(readFileSync(file));
const transcript = (name, ending) => {
    try {
        return readFileSync(`${transcripts}/${name}.${ending}`, 'utf8');
    } catch {
        return '';
    }
};

// Sends the input in pieces of a few bytes, one piece each time the program
// waits, then ends it; keeps what is written, and counts the waits.
function fakeTerminal(input, piece) {
    const bytes = new TextEncoder().encode(input);
    let at = 0;
    let pending = new Uint8Array(0);
    const written = { 1: [], 2: [] };
    return {
        waits: 0,
        written,
        ready: () => pending.length > 0 || at >= bytes.length,
        wait() {
            this.waits += 1;
            if (pending.length === 0) {
                pending = bytes.subarray(at, at + piece);
                at += piece;
            }
            return Promise.resolve();
        },
        read(max) {
            const taken = pending.subarray(0, max);
            pending = pending.subarray(taken.length);
            return taken;
        },
        write(fd, data) {
            written[fd].push(...data);
        },
        text: (fd) => new TextDecoder().decode(new Uint8Array(written[fd])),
    };
}

// Runs the page's build of the program as the page does, on the terminal;
// every call of the page's own imports is logged as it comes.
async function run(terminal) {
    const calls = wasi(terminal);
    const records = [];
    const record = recorder((told) => records.push(told));
    const log = [];
    const page = Object.fromEntries(Object.entries(record.imports.page).map(([name, call]) => [name, (...args) => {
        log.push([name, ...args]);
        call(...args);
    }]));
    const instance = new WebAssembly.Instance(module, { ...calls.imports, page });
    record.watch(instance);
    return { status: await calls.start(instance), records, log };
}

// Every transcript that runs without arguments, its input sent whole, a few
// bytes at a time, or a byte at a time: each wait unwinds the stack into the
// module's own room and brings it back, and the room must never fill.
for (const name of ['example-session', 'element-4-rejected', 'not-numbers', 'one-line', 'early-end', 'empty']) {
    for (const piece of [1 << 20, 3, 1]) {
        test(`${name}, sent ${piece} bytes at a time`, async () => {
            const terminal = fakeTerminal(transcript(name, 'in'), piece);
            const { status, records, log } = await run(terminal);
            assert.equal(terminal.text(1), transcript(name, 'out'));
            assert.equal(terminal.text(2), transcript(name, 'err'));
            assert.equal(status, transcript(name, 'err') ? 1 : 0);
            // Where the program sorted, the record holds the report's values,
            // and every step's turns of the inner loop as they were told, in
            // the order they were told.
            const report = [...transcript(name, 'out').matchAll(/ίσο με (\d+) \n/g)].map((line) => Number(line[1]));
            assert.deepEqual(records.map((record) => record.sorted), report.length === 0 ? [] : [report]);
            const turns = records.flatMap((record) => record.steps.flatMap(({ loop, j, told }) => told.map((turn) =>
                (loop === 'drop' ? [loop, turn.i, j, Number(turn.bead), turn.pile] :
                    [loop, turn.k, j, turn.threshold, Number(turn.reached), turn.counter]))));
            assert.deepEqual(turns, log.filter(([call]) => call !== 'sorted'));
        });
    }
}

test('a read that is always ready still yields to the page, now and then', async () => {
    const terminal = fakeTerminal(`${'51\n'.repeat(20000)}1 2 3 4 5 6 7 8 9 10\n`, 1 << 30);
    assert.equal((await run(terminal)).status, 0);
    assert.ok(terminal.waits > 2, `${terminal.waits} waits`);
});

test("Asyncify's room lies below the heap", () => {
    const anything = new Proxy({}, { get: () => () => 0 });
    const instance = new WebAssembly.Instance(module, new Proxy({}, { get: () => anything }));
    const { beadsort_asyncify_data: data, __heap_base: heap, memory } = instance.exports;
    const [next, end] = new Uint32Array(memory.buffer, data.value, 2);
    assert.equal(next, data.value + 8);
    assert.ok(end > next && end <= heap.value, `room ${next}..${end}, heap from ${heap.value}`);
});

// Each WASI call, made by a module of the test's own with memory of its own.
test('each WASI call', async () => {
    const memory = new WebAssembly.Memory({ initial: 1 });
    const view = new DataView(memory.buffer);
    const bytes = new Uint8Array(memory.buffer);
    // One buffer at 64 of "Ωx", described at 16.
    bytes.set(new TextEncoder().encode('Ωx'), 64);
    view.setUint32(16, 64, true);
    view.setUint32(20, 3, true);
    const terminal = fakeTerminal('ab', 1 << 20);
    await terminal.wait();
    const calls = wasi(terminal);
    const call = calls.imports.wasi_snapshot_preview1;
    const rows = [
        ['fd_write to standard output', () => call.fd_write(1, 16, 1, 32), 0, () => view.getUint32(32, true), 3],
        ['fd_write to standard error', () => call.fd_write(2, 16, 1, 32), 0, () => view.getUint32(32, true), 3],
        ['fd_write elsewhere', () => call.fd_write(3, 16, 1, 32), 8],
        ['fd_read from standard input', () => call.fd_read(0, 16, 1, 32), 0, () => view.getUint32(32, true), 2],
        ['fd_read from elsewhere', () => call.fd_read(1, 16, 1, 32), 8],
        ['fd_fdstat_get on a stream', () => call.fd_fdstat_get(2, 40), 0, () => view.getUint8(40), 2],
        ['fd_fdstat_get elsewhere', () => call.fd_fdstat_get(3, 40), 8],
        ['fd_seek', () => call.fd_seek(1, 0n, 0, 48), 70],
        ['fd_close', () => call.fd_close(1), 0],
    ];
    const results = [];
    const exports = {
        memory,
        asyncify_get_state: () => 0,
        _start() {
            for (const [what, make, result, effect, value] of rows) {
                results.push([what, make(), effect?.()], [what, result, value]);
            }
            call.proc_exit(3);
        },
    };
    assert.equal(await calls.start({ exports }), 3);
    assert.equal(terminal.text(1), 'Ωx');
    assert.equal(terminal.text(2), 'Ωx');
    assert.equal(new TextDecoder().decode(bytes.subarray(64, 66)), 'ab');
    for (let i = 0; i < results.length; i += 2) {
        assert.deepEqual(results[i], results[i + 1]);
    }
});

// --- The terminal, on just the DOM that it uses -----------------------------

class Element {
    children = [];
    dataset = {};
    listeners = {};
    append(...nodes) {
        this.children.push(...nodes);
    }
    replaceChildren() {
        this.children = [];
    }
    setAttribute(name, value) {
        this[name] = value;
    }
    removeAttribute(name) {
        delete this[name];
    }
    addEventListener(type, listener) {
        this.listeners[type] = listener;
    }
    focus() {}
    get textContent() {
        return this.children.map((child) => child.textContent).join('');
    }
}
globalThis.document = {
    createElement: () => new Element(),
    createTextNode: (data) => ({ textContent: data, appendData(more) {
        this.textContent += more;
    } }),
};
globalThis.requestAnimationFrame = () => 0;

function terminal() {
    const input = Object.assign(new Element(), { value: '', selectionStart: 0, selectionEnd: 0 });
    const shown = new Terminal(new Element(), input);
    shown.reset();
    const sent = () => {
        let text = '';
        for (let bytes; (bytes = shown.read(1 << 20)).length > 0;) {
            text += new TextDecoder().decode(bytes);
        }
        return text;
    };
    const key = (event) => input.listeners.keydown({ ctrlKey: false, altKey: false, metaKey: false, code: '',
                                                     keyCode: 0, isComposing: false, preventDefault() {}, ...event });
    return { shown, input, sent, key };
}

test('UTF-8 split anywhere across writes', () => {
    const text = 'Η τιμή 😀 50.\n';
    const bytes = new TextEncoder().encode(text);
    for (let split = 0; split <= bytes.length; split += 1) {
        const { shown } = terminal();
        shown.write(1, bytes.subarray(0, split));
        shown.write(1, bytes.subarray(split));
        assert.equal(shown.log.textContent, text);
    }
});

test('standard error apart, the echo not announced, and the prompt described', () => {
    const { shown } = terminal();
    shown.write(1, new TextEncoder().encode('a\nprompt: '));
    shown.send('7', true);
    shown.write(2, new TextEncoder().encode('error\n'));
    shown.write(1, new TextEncoder().encode('next: '));
    const lines = shown.log.children;
    assert.equal(shown.log.textContent, 'a\nprompt: 7\nerror\nnext: ');
    assert.deepEqual(lines.map((line) => line.id ?? null), [null, null, null, 'prompt']);
    assert.deepEqual([lines[1].children[1].className, lines[1].children[1]['aria-hidden']], ['echo', 'true']);
    assert.equal(lines[2].children[0].className, 'stderr');
});

test('a read takes no more than it asks, and the end of the input once', () => {
    const { shown } = terminal();
    assert.equal(shown.ready(), false);
    shown.send('12', true);
    assert.deepEqual([...shown.read(1)], [0x31]);
    assert.deepEqual([...shown.read(8)], [0x32, 0x0a]);
    assert.equal(shown.ready(), false);
    shown.input.value = '3';
    shown.end();
    assert.equal(shown.ready(), true);
    assert.deepEqual([...shown.read(8)], [0x33]);
    assert.equal(shown.read(8).length, 0);
    assert.equal(shown.ready(), true);
});

// Keys as each layout and input method gives them: what is sent, and
// whether the input has ended.
const keys = [
    ['Enter', [{ key: 'Enter' }], '5\n', false],
    ['Ctrl+D, Latin layout', [{ key: 'd', code: 'KeyD', ctrlKey: true }], '5', false],
    ['Ctrl+D, Greek layout', [{ key: 'δ', code: 'KeyD', ctrlKey: true }], '5', false],
    ['Ctrl+D twice, Greek layout', [{ key: 'δ', code: 'KeyD', ctrlKey: true }, { key: 'δ', code: 'KeyD', ctrlKey: true }], '5', true],
    ['Ctrl+Shift+D, Russian layout', [{ key: 'В', code: 'KeyD', ctrlKey: true }], '5', false],
    ['Ctrl+D, Dvorak (the key where QWERTY has H)', [{ key: 'd', code: 'KeyH', ctrlKey: true }], '5', false],
    ['Ctrl+E, Dvorak (the key where QWERTY has D)', [{ key: 'e', code: 'KeyD', ctrlKey: true }], '', false],
    ['Alt+Ctrl+D', [{ key: 'd', code: 'KeyD', ctrlKey: true, altKey: true }], '', false],
    ['Enter that commits a composition', [{ key: 'Enter', isComposing: true }], '', false],
    ["Safari's Enter that commits a composition", [{ key: 'Enter', keyCode: 229 }], '', false],
];
for (const [what, events, sent, ended] of keys) {
    test(`keys: ${what}`, () => {
        const typed = terminal();
        typed.input.value = '5';
        for (const event of events) {
            typed.key(event);
        }
        assert.equal(typed.sent(), sent);
        assert.equal(typed.shown.ended, ended);
    });
}
