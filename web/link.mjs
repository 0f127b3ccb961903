// A link that types a session: the page's address, with the session's lines
// in its fragment, each percent-encoded and joined by commas, so that any
// line, a comma or a space in it too, comes back as it was typed.

// Longer than this, a fragment is taken for a mistake, not a session.
const MAX_BYTES = 4096;

// The lines of the fragment ('#' and what follows, or nothing); or why it
// types none, in Greek and English.
export function linkedLines(fragment) {
    const text = fragment.replace(/^#/, '');
    if (text === '') {
        return { lines: [] };
    }
    const bytes = new TextEncoder().encode(text).length;
    if (bytes > MAX_BYTES) {
        return { why: [`Ο σύνδεσμος έχει ${bytes} byte, περισσότερα από ${MAX_BYTES}, και δεν γράφτηκε τίποτα.`,
                       `The link is ${bytes} bytes, over ${MAX_BYTES}, so nothing was typed.`] };
    }
    try {
        return { lines: text.split(',').map(decodeURIComponent) };
    } catch {
        return { why: ['Ο σύνδεσμος δεν διαβάζεται ως γραμμές, και δεν γράφτηκε τίποτα.',
                       'The link does not read as lines, so nothing was typed.'] };
    }
}

// The address that opens the same session: this one, with those lines.
export const sessionLink = (address, lines) => `${address.replace(/#.*$/, '')}#${lines.map(encodeURIComponent).join(',')}`;
