// Runs a WASI command under Node with the process's standard streams and
// arguments, and exits with its status.
//   node --no-warnings run_wasi.mjs MODULE [ARGUMENT...]
// The global process, not an import of node:process: importing it opens
// process.stdin, which makes a piped standard input non-blocking, and the
// module's reads would then fail instead of waiting.
import { readFile } from 'node:fs/promises';
import { WASI } from 'node:wasi';

const [file, ...args] = process.argv.slice(2);
const wasi = new WASI({ version: 'preview1', args: [file, ...args], returnOnExit: true });
const module = await WebAssembly.compile(await readFile(file));
const instance = await WebAssembly.instantiate(module, wasi.getImportObject());
process.exitCode = wasi.start(instance);
