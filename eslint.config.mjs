// ESLint's recommended rules over the page's JavaScript, its tests and its
// benchmark. The page's modules run in a browser, but for the script that
// joins them, which runs under Node; the rest runs under Node, and hands
// functions to a browser to run.
import js from '@eslint/js';
import globals from 'globals';

const page = ['web/*.mjs'];
const joiner = ['web/inline.mjs'];
export default [
    { ignores: ['build/', 'node_modules/'] },
    js.configs.recommended,
    { files: page, ignores: joiner, languageOptions: { globals: globals.browser } },
    { files: joiner, languageOptions: { globals: globals.node } },
    { ignores: page, languageOptions: { globals: { ...globals.node, ...globals.browser } } },
];
