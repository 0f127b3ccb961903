// Step by step through the program's two loops, rod by rod, as its sort ran
// on the values typed: the drop on each rod, then each rod's pile read into
// the rows. Each step is drawn in the figure, said in a sentence, and lit in
// the sort's own source with its variables' values, all as the program told
// them. Stepping, playing and the speed are buttons and a list, so the keys
// stay the terminal's.

// How long a step's beads move, at most.
const MOVE_MS = 400;

export class Steps {
    constructor(section, source, beads, code) {
        this.section = section;
        this.source = source;
        this.beads = beads;
        this.timer = null;
        this.at = -1;
        this.speed = section.querySelector('.speed');
        this.text = section.querySelector('.step-text');
        this.lines = code.textContent.split('\n').map((line) => Object.assign(document.createElement('span'),
                                                                                 { className: 'line', textContent: `${line}\n` }));
        this.lit = {
            drop: this.lines.find((line) => line.textContent.includes('pile +=')),
            rows: this.lines.find((line) => line.textContent.includes('counter +=')),
        };
        source.querySelector('.file').textContent = code.dataset.file;
        const listing = source.querySelector('.code');
        listing.style.setProperty('--first', code.dataset.line - 1);
        listing.replaceChildren(...this.lines);
        const actions = {
            start: () => this.beads.go('entered'),
            previous: () => this.#go(this.at - 1),
            next: () => this.#go(this.at + 1),
            play: () => (this.timer === null ? this.#play() : this.#pause()),
        };
        for (const button of section.querySelectorAll('[data-action]')) {
            button.addEventListener('click', () => {
                if (button.getAttribute('aria-disabled') !== 'true') {
                    actions[button.dataset.action]();
                }
            });
        }
        this.speed.addEventListener('change', () => this.timer !== null && this.#tick());
        // The figure has gone back to the whole fall: the steps start again.
        beads.figure.addEventListener('fall', () => this.#leave());
    }

    // The steps of a new sort, from before the first; its source shows
    // with the figure.
    show(sorted) {
        this.sorted = sorted;
        this.last = 2 * sorted.counts.length - 1;
        this.#leave();
    }

    clear() {
        this.#pause();
        this.source.hidden = true;
    }

    // Step at, from before the first (-1) to the rows' last rod; before the
    // first is the figure's rows as entered.
    #go(at) {
        if (at < 0) {
            this.beads.go('entered');
            return;
        }
        const rods = this.sorted.counts.length;
        const step = at < rods ? { phase: 'drop', j: at } : { phase: 'rows', j: at - rods };
        this.beads.step(step, Math.min(MOVE_MS, 0.8 * Number(this.speed.value)));
        this.at = at;
        if (at === this.last) {
            this.#pause();
        }
        this.#say(step);
        this.#light(step);
        this.#enable();
    }

    // From the next step on, or from the first after the last.
    #play() {
        if (this.at === this.last) {
            this.at = -1;
        }
        // A step a tick is too many to be read out.
        this.text.setAttribute('aria-live', 'off');
        this.section.classList.add('playing');
        this.#tick();
        this.#go(this.at + 1);
    }

    #tick() {
        clearInterval(this.timer);
        this.timer = setInterval(() => this.#go(this.at + 1), Number(this.speed.value));
    }

    #pause() {
        clearInterval(this.timer);
        this.timer = null;
        this.text.setAttribute('aria-live', 'polite');
        this.section.classList.remove('playing');
    }

    #leave() {
        this.#pause();
        this.source.hidden = this.beads.figure.hidden;
        this.at = -1;
        this.text.replaceChildren();
        this.#light(null);
        this.#enable();
    }

    #enable() {
        const disabled = { previous: this.at < 0, next: this.at === this.last };
        for (const button of this.section.querySelectorAll('[data-action]')) {
            button.setAttribute('aria-disabled', String(disabled[button.dataset.action] ?? false));
        }
    }

    // The step in a sentence, Greek then English; rods count from 1.
    #say({ phase, j }) {
        const { counts, fallen } = this.sorted;
        const pile = counts[j];
        const rod = j + 1;
        let greek;
        let english;
        if (phase === 'drop') {
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
        if (phase === 'rows' && j === counts.length - 1) {
            greek += `. Οι σειρές μετρούν τώρα τις τιμές με τη σειρά: ${fallen.join(', ')}`;
            english += `. The rows now count the values in order: ${fallen.join(', ')}`;
        }
        const part = (text, lang) => Object.assign(document.createElement('span'), { textContent: text, lang });
        this.text.replaceChildren(part(`Ράβδος ${rod}: ${greek}`, 'el'), ' · ', part(`Rod ${rod}: ${english}`, 'en'));
    }

    // Lights the line that the step runs, with its variables' values: j and
    // the pile; on the rows, each counter beside its threshold.
    #light(step) {
        for (const line of this.lines) {
            line.classList.remove('lit');
        }
        const values = this.source.querySelector('.values');
        values.hidden = step === null;
        if (step === null) {
            return;
        }
        const { phase, j } = step;
        const line = this.lit[phase];
        line.classList.add('lit');
        const { counts, rows } = this.sorted;
        const row = (name, list, grew = []) => {
            const cells = list.map((value, k) => Object.assign(document.createElement('td'),
                                                                 { textContent: value, className: grew[k] ? 'grew' : '' }));
            const tr = document.createElement('tr');
            tr.append(Object.assign(document.createElement('th'), { scope: 'row', textContent: name }), ...cells);
            return tr;
        };
        const shown = [row('j', [j]), row(phase === 'drop' ? 'pile' : 'height', [counts[j]])];
        if (phase === 'rows') {
            const before = rows[j - 1] ?? rows[j].map(() => 0);
            shown.push(row('threshold', rows[j].map((_, k) => rows[j].length - k)),
                       row('counter', rows[j], rows[j].map((count, k) => count > before[k])));
        }
        values.querySelector('tbody').replaceChildren(...shown);
        // Into view where the source stands beside the figure; below it, on
        // a narrow screen, the figure stays in view.
        const drawn = this.beads.figure.getBoundingClientRect();
        const listed = this.source.getBoundingClientRect();
        if (listed.left >= drawn.right || listed.right <= drawn.left) {
            line.scrollIntoView({ block: 'nearest' });
        }
    }
}
