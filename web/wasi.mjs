// The six WASI calls that beadsort imports, for a page. Standard output and
// standard error go to a terminal, and standard input comes from it. The
// module is built with Asyncify, so a read with nothing typed yet unwinds to
// here, waits, and rewinds into the read once there is input. The module
// keeps the unwound stack in room of its own, which it exports. Whoever
// runs the module makes its instance, with these imports among its own.

const SUCCESS = 0;
const BADF = 8;
const SPIPE = 70;
const CHARACTER_DEVICE = 2;
const UNWINDING = 1;
const REWINDING = 2;
// Past this long without a wait, a read waits anyway, for the page's sake.
const BUSY_MS = 8;

class Exit {
    constructor(status) {
        this.status = status;
    }
}

// The calls for one run on the terminal, which gives ready(), wait(),
// read(max) and write(fd, bytes); start(instance) runs the instance made
// with them, and resolves to the exit status. Up to the first wait for
// input, it runs before it returns.
export function wasi(terminal) {
    let exports;
    let waiting = null;
    let busySince = performance.now();
    const memory = () => new DataView(exports.memory.buffer);
    const buffers = (iovs, count) => {
        const view = memory();
        return Array.from({ length: count }, (_, i) => {
            const at = iovs + 8 * i;
            return new Uint8Array(exports.memory.buffer, view.getUint32(at, true), view.getUint32(at + 4, true));
        });
    };

    const calls = {
        fd_read(fd, iovs, count, read) {
            if (fd !== 0) {
                return BADF;
            }
            if (exports.asyncify_get_state() === REWINDING) {
                exports.asyncify_stop_rewind();
                busySince = performance.now();
            } else if (!terminal.ready() || performance.now() - busySince > BUSY_MS) {
                waiting = terminal.wait();
                exports.asyncify_start_unwind(exports.beadsort_asyncify_data.value);
                return SUCCESS;
            }
            // As a terminal does, a read takes what was sent at once, a line
            // at most; nothing at the end of the input.
            let total = 0;
            for (const buffer of buffers(iovs, count)) {
                const bytes = terminal.read(buffer.length);
                buffer.set(bytes);
                total += bytes.length;
                if (bytes.length < buffer.length) {
                    break;
                }
            }
            memory().setUint32(read, total, true);
            return SUCCESS;
        },
        fd_write(fd, iovs, count, written) {
            if (fd !== 1 && fd !== 2) {
                return BADF;
            }
            let total = 0;
            for (const buffer of buffers(iovs, count)) {
                terminal.write(fd, buffer.slice());
                total += buffer.length;
            }
            memory().setUint32(written, total, true);
            return SUCCESS;
        },
        // The three streams are a terminal: a character device that cannot
        // seek, so that the C library buffers output by lines.
        fd_fdstat_get(fd, stat) {
            if (fd > 2) {
                return BADF;
            }
            const view = memory();
            view.setUint8(stat, CHARACTER_DEVICE);
            view.setUint16(stat + 2, 0, true);
            view.setBigUint64(stat + 8, 0n, true);
            view.setBigUint64(stat + 16, 0n, true);
            return SUCCESS;
        },
        fd_seek: () => SPIPE,
        fd_close: () => SUCCESS,
        proc_exit(status) {
            throw new Exit(status);
        },
    };

    async function start(instance) {
        ({ exports } = instance);
        for (;;) {
            try {
                exports._start();
            } catch (error) {
                if (error instanceof Exit) {
                    return error.status;
                }
                throw error;
            }
            if (exports.asyncify_get_state() !== UNWINDING) {
                return 0;
            }
            exports.asyncify_stop_unwind();
            await waiting;
            exports.asyncify_start_rewind(exports.beadsort_asyncify_data.value);
        }
    }

    return { imports: { wasi_snapshot_preview1: calls }, start };
}
