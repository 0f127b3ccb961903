// The steps of the program's two loops, drawn from the player's state: the
// controls that step and play, the step said in a sentence, and the line of
// the sort's own source that the step runs, lit, with its variables' values,
// all as the program told them. Stepping, playing and the speed are buttons
// and a list, so the keys stay the terminal's.

// Where the source stands beside the figure, as the page's style lays it
// out; below it, the figure stays in view.
const BESIDE = '(min-width: 60rem)';

export class Steps {
    constructor(section, source, code, actions) {
        this.section = section;
        this.source = source;
        this.drawn = null;
        this.speed = section.querySelector('.speed');
        this.text = section.querySelector('.step-text');
        this.beside = matchMedia(BESIDE);
        this.lines = code.textContent.split('\n').map((line) => Object.assign(document.createElement('span'),
                                                                                 { className: 'line', textContent: `${line}\n` }));
        // The build says which line each loop's step runs.
        this.lit = { drop: this.lines[code.dataset.drop], rows: this.lines[code.dataset.rows] };
        source.querySelector('.file').textContent = code.dataset.file;
        const listing = source.querySelector('.code');
        listing.style.setProperty('--first', code.dataset.line - 1);
        listing.replaceChildren(...this.lines);
        for (const button of section.querySelectorAll('[data-action]')) {
            button.addEventListener('click', () => actions[button.dataset.action]());
        }
        this.speed.addEventListener('change', () => actions.speed(Number(this.speed.value)));
    }

    draw({ record, at, playing, speed }) {
        this.source.hidden = record === null;
        this.speed.value = String(speed);
        this.section.classList.toggle('playing', playing);
        // A step a tick is too many to be read out.
        this.text.setAttribute('aria-live', playing ? 'off' : 'polite');
        const disabled = { previous: at === null, next: record !== null && at === record.steps.length - 1 };
        for (const button of this.section.querySelectorAll('[data-action]')) {
            button.setAttribute('aria-disabled', String(disabled[button.dataset.action] ?? false));
        }
        const step = at === null ? null : record.steps[at];
        if (step !== this.drawn) {
            this.drawn = step;
            this.#say(step, step !== null && at === record.steps.length - 1 && record.sorted);
            this.#light(step);
        }
    }

    // The step in a sentence, Greek then English; rods count from 1. After
    // the last, the rows hold the values in order.
    #say(step, sorted) {
        if (step === null) {
            this.text.replaceChildren();
            return;
        }
        const { loop, j, pile } = step;
        const rod = j + 1;
        let greek;
        let english;
        if (loop === 'drop') {
            greek = `${pile === 1 ? 'τη φτάνει 1 τιμή' : `τη φτάνουν ${pile} τιμές`}, και η στοίβα της είναι ${pile}`;
            english = `${pile} value${pile === 1 ? ' reaches' : 's reach'} past it; its pile is ${pile}`;
        } else if (pile === 0) {
            greek = 'η στοίβα της είναι άδεια και δεν φτάνει καμία σειρά';
            english = 'its pile is empty and reaches no row';
        } else {
            const rows = pile === 1 ? ['στην κάτω σειρά', 'the bottom row'] :
                [`σε καθεμία από τις ${pile} κάτω σειρές`, `each of the bottom ${pile} rows`];
            greek = `η στοίβα της έχει ύψος ${pile} και δίνει μία χάντρα ${rows[0]}`;
            english = `its pile is ${pile} high and adds a bead to ${rows[1]}`;
        }
        if (sorted) {
            greek += `. Οι σειρές μετρούν τώρα τις τιμές με τη σειρά: ${sorted.join(', ')}`;
            english += `. The rows now count the values in order: ${sorted.join(', ')}`;
        }
        const part = (text, lang) => Object.assign(document.createElement('span'), { textContent: text, lang });
        this.text.replaceChildren(part(`Ράβδος ${rod}: ${greek}`, 'el'), ' · ', part(`Rod ${rod}: ${english}`, 'en'));
    }

    // Lights the line that the step runs, with its variables' values: j and
    // the pile; on the rows, each row's threshold and counter, the counters
    // that the pile reached marked.
    #light(step) {
        for (const line of this.lines) {
            line.classList.remove('lit');
        }
        const values = this.source.querySelector('.values');
        values.hidden = step === null;
        if (step === null) {
            return;
        }
        const { loop, j, pile, told } = step;
        const line = this.lit[loop];
        line.classList.add('lit');
        const row = (name, list, marked = []) => {
            const cells = list.map((value, k) => Object.assign(document.createElement('td'),
                                                                 { textContent: value, className: marked[k] ? 'grew' : '' }));
            const tr = document.createElement('tr');
            tr.append(Object.assign(document.createElement('th'), { scope: 'row', textContent: name }), ...cells);
            return tr;
        };
        const shown = [row('j', [j]), row('pile', [pile])];
        if (loop === 'rows') {
            shown.push(row('threshold', told.map((turn) => turn.threshold)),
                       row('counter', told.map((turn) => turn.counter), told.map((turn) => turn.reached)));
        }
        values.querySelector('tbody').replaceChildren(...shown);
        if (this.beside.matches) {
            line.scrollIntoView({ block: 'nearest' });
        }
    }
}
