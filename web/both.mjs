// What the page says in words, Greek then English, each marked with its
// language so that a screen reader speaks it in its own voice.
export function both(greek, english) {
    const part = (text, lang) => Object.assign(document.createElement('span'), { textContent: text, lang });
    const said = document.createDocumentFragment();
    said.append(part(greek, 'el'), ' · ', part(english, 'en'));
    return said;
}
