// A terminal in the page: the program's output as text in a log, standard
// error set apart by style, and a line of input that is echoed and sent as a
// Linux terminal sends it. Enter sends the line; Ctrl+D sends what is typed
// without a line break, or ends the input on an empty line. Lines can be
// typed for the user, one each time the program waits, as if typed then.
// The log carries data-reading while the program waits for input.

const encoder = new TextEncoder();

// Ctrl+D is the key that a Latin layout calls D, wherever it is; on a layout
// without Latin letters, such as the Greek one, it is the key where D is.
const isD = (event) => event.key.toLowerCase() === 'd' || (event.code === 'KeyD' && !/^[a-z]$/i.test(event.key));

export class Terminal {
    constructor(log, input) {
        this.log = log;
        this.input = input;
        input.addEventListener('keydown', (event) => this.#key(event));
        input.addEventListener('paste', (event) => this.#insert(event, event.clipboardData));
        input.addEventListener('drop', (event) => this.#insert(event, event.dataTransfer));
    }

    // A fresh screen and an empty input, for a run from the start.
    reset() {
        this.log.replaceChildren();
        delete this.log.dataset.exitStatus;
        delete this.log.dataset.reading;
        this.line = null;
        this.tail = null;
        this.decoders = { 1: new TextDecoder(), 2: new TextDecoder() };
        // A wait of an earlier run, which is over, never ends.
        this.run = (this.run ?? 0) + 1;
        this.sent = [];
        this.lines = [];
        this.typing = [];
        this.ended = false;
        this.wake = null;
        this.scrolling = null;
        this.input.value = '';
        this.input.disabled = false;
    }

    // Whether a read would get something: bytes, or the end of the input.
    ready() {
        return this.sent.length > 0 || this.ended;
    }

    // Types these lines, each once the program waits.
    type(lines) {
        this.typing = [...lines];
    }

    // Resolves once a read would get something, or on the next turn of the
    // page's event loop if one would already.
    wait() {
        if (!this.ready() && this.typing.length > 0) {
            this.send(this.typing.shift(), true);
        }
        if (this.ready()) {
            const { run } = this;
            return new Promise((resolve) => setTimeout(() => run === this.run && resolve()));
        }
        this.log.dataset.reading = '';
        return new Promise((resolve) => {
            this.wake = resolve;
        });
    }

    // At most max bytes of what was sent first; none at the end of the input.
    read(max) {
        if (this.sent.length === 0) {
            return new Uint8Array(0);
        }
        const first = this.sent[0];
        if (first.length <= max) {
            this.sent.shift();
            return first;
        }
        this.sent[0] = first.subarray(max);
        return first.subarray(0, max);
    }

    write(fd, bytes) {
        this.#show(this.decoders[fd].decode(bytes, { stream: true }), fd === 2 ? 'stderr' : 'stdout');
    }

    // The program has ended with this status: what is left of its output
    // is shown, and nothing more can be typed.
    finish(status) {
        this.#show(this.decoders[1].decode(), 'stdout');
        this.#show(this.decoders[2].decode(), 'stderr');
        this.log.dataset.exitStatus = String(status);
        this.input.disabled = true;
    }

    // Sends what is typed, with a line break or without; echoed as sent,
    // and kept as a line of the session.
    send(text, lineBreak) {
        const line = lineBreak ? `${text}\n` : text;
        if (this.ended || line === '') {
            return;
        }
        this.lines.push(text);
        this.#show(line, 'echo');
        this.sent.push(encoder.encode(line));
        this.#wakeReader();
    }

    // Ends the input, sending first whatever is typed.
    end() {
        this.send(this.input.value, false);
        this.input.value = '';
        this.ended = true;
        this.#wakeReader();
    }

    #wakeReader() {
        delete this.log.dataset.reading;
        this.wake?.();
        this.wake = null;
    }

    #key(event) {
        // Safari's Enter that commits an input method's text says so only by
        // its key code.
        if (event.isComposing || event.keyCode === 229) {
            return;
        }
        if (event.key === 'Enter') {
            event.preventDefault();
            this.send(this.input.value, true);
            this.input.value = '';
        } else if (event.ctrlKey && !event.altKey && !event.metaKey && isD(event)) {
            event.preventDefault();
            if (this.input.value === '') {
                this.end();
            } else {
                this.send(this.input.value, false);
                this.input.value = '';
            }
        }
    }

    // Lines pasted or dropped are sent as typed lines, as if typed where the
    // caret is; what follows the last line break stays in the input.
    #insert(event, data) {
        const lines = data.getData('text/plain').split(/\r\n|\r|\n/);
        if (lines.length === 1) {
            return;
        }
        event.preventDefault();
        const { value, selectionStart, selectionEnd } = this.input;
        const rest = value.slice(selectionEnd);
        this.send(value.slice(0, selectionStart) + lines[0], true);
        for (const line of lines.slice(1, -1)) {
            this.send(line, true);
        }
        this.input.value = lines.at(-1) + rest;
        this.input.focus();
    }

    // Adds text to the screen. Each line is an element of its own, block
    // once it is ended, so that adding to the end lays out only the end,
    // however long the screen; in a line, text follows the same stream's
    // text where it can. The echo is not announced, since a screen reader
    // spoke it as it was typed; the line not yet ended, the prompt,
    // describes the input.
    #show(text, stream) {
        for (const piece of text.match(/[^\n]*\n|[^\n]+/g) ?? []) {
            if (this.line === null) {
                this.line = document.createElement('span');
                this.line.id = 'prompt';
                this.log.append(this.line);
                this.tail = null;
            }
            if (this.tail?.stream !== stream) {
                const node = document.createTextNode('');
                if (stream === 'stdout') {
                    this.line.append(node);
                } else {
                    const span = document.createElement('span');
                    span.className = stream;
                    if (stream === 'echo') {
                        span.setAttribute('aria-hidden', 'true');
                    }
                    span.append(node);
                    this.line.append(span);
                }
                this.tail = { stream, node };
            }
            this.tail.node.appendData(piece);
            if (piece.endsWith('\n')) {
                this.line.className = 'line';
                this.line.removeAttribute('id');
                this.line = null;
            }
        }
        // To the end, as a terminal does; once a frame, however much is
        // written in it.
        this.scrolling ??= requestAnimationFrame(() => {
            this.scrolling = null;
            const screen = this.log.parentElement;
            screen.scrollTop = screen.scrollHeight;
        });
    }
}
