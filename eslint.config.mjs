// ESLint's recommended rules over the page's JavaScript, its tests and its
// benchmark. The page's modules run in a browser; the rest runs under Node,
// and hands functions to a browser to run.
import js from '@eslint/js';
import globals from 'globals';

const page = ['web/terminal.mjs', 'web/wasi.mjs', 'web/page.mjs', 'web/failure.mjs'];
export default [
    { ignores: ['build/', 'node_modules/'] },
    js.configs.recommended,
    { files: page, languageOptions: { globals: globals.browser } },
    { ignores: page, languageOptions: { globals: { ...globals.node, ...globals.browser } } },
];
