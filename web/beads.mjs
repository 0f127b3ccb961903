// The figure of the beads, drawn from the player's state: the values as the
// program accepted them, each a row of beads across the rods; the beads
// fallen to the bottom of their rods; the fallen rows read back, as the
// program's sort gave them; or one step of the sort's loops, the drop on
// one rod or that rod's pile read into the rows, with the pile and the
// rows' counts that the program told. Every bead is drawn where the record
// of the run says it starts and lands.

// A fall waits until at least half the figure is in view.
const SEEN = 0.5;
const MARGIN_PX = 8;
// A scroll by hand this recent is still going on: the page does not scroll.
const HAND_MS = 1000;

export class Beads {
    constructor(figure, actions) {
        this.figure = figure;
        this.record = null;
        this.scrolledByHand = -Infinity;
        for (const button of figure.querySelectorAll('[data-fall]')) {
            button.addEventListener('click', () => actions.fall(button.dataset.fall));
        }
        figure.querySelector('.replay').addEventListener('click', () => actions.replay());
        for (const type of ['wheel', 'touchmove']) {
            addEventListener(type, (event) => {
                this.scrolledByHand = event.timeStamp;
            }, { passive: true });
        }
    }

    // The state of the whole fall, or a step, the beads taking ms to move
    // there; those moving go on as they were where ms is not given.
    draw({ record, fall, at, asked, guesses }, ms) {
        const { figure } = this;
        if (record !== this.record) {
            this.record = record;
            for (const name of ['entered', 'fallen', 'counts', 'state', 'at', 'asked', 'guessed']) {
                delete figure.dataset[name];
            }
            if (record !== null) {
                this.#build(record);
            }
        }
        figure.hidden = record === null;
        if (record === null) {
            return;
        }
        const step = at === null ? null : record.steps[at];
        const rods = record.piles.length;
        if (ms !== undefined) {
            figure.classList.toggle('still', ms === 0);
            figure.style.setProperty('--fall-time', `${ms}ms`);
        }
        figure.dataset.state = step === null ? fall : 'steps';
        // Guessing first: what is asked, and how the last guess went.
        const guessed = guesses.get(at);
        const marks = { at: step && `${step.loop} ${step.j}`, asked: asked && (asked === 'rows' ? 'rows' : `pile ${step.j}`),
                        guessed: guessed && (guessed.right ? 'right' : 'wrong') };
        for (const [name, value] of Object.entries(marks)) {
            if (value) {
                figure.dataset[name] = value;
            } else {
                delete figure.dataset[name];
            }
        }
        for (const button of figure.querySelectorAll('[data-fall]')) {
            button.setAttribute('aria-pressed', String(step === null && button.dataset.fall === fall));
        }
        // Which rods' beads have fallen, which have been read into the rows,
        // and the rod that the step is on, with its pile below it.
        const abacus = figure.querySelector('.rods');
        // A step that asks first is drawn as the step before it.
        const done = asked ? 0 : 1;
        const properties = {
            at: step?.j ?? 0,
            dropped: step?.loop === 'drop' ? step.j + done : step === null && fall === 'entered' ? 0 : rods,
            counted: step?.loop === 'rows' ? step.j + done : rods,
        };
        for (const [property, value] of Object.entries(properties)) {
            abacus.style.setProperty(`--${property}`, value);
        }
        figure.querySelector('.pile').textContent = { pile: '?', rows: '' }[asked] ?? step?.pile ?? '';
        // A pile guessed wrong: its beads, those of the values that reach
        // past the rod, are lit.
        this.beads.forEach((bead, n) => {
            bead.classList.toggle('reach', guessed?.kind === 'pile' && !guessed.right && record.beads[n].j === step.j);
        });
        // Each row's count at the row's end: the rows read, or the counters
        // so far; none in the drop.
        const counts = step === null ? record.sorted : [];
        for (const { k, counter } of step?.loop === 'rows' && !asked ? step.told : []) {
            counts[k] = counter;
        }
        figure.querySelectorAll('.row-count').forEach((item, row) => {
            item.textContent = counts[row] ?? '';
        });
        // Laid out at once, so that a movement starts from here, and its
        // animations are there to be waited for.
        void figure.offsetHeight;
    }

    // Resolves once every bead that moves has landed; rejects where a
    // movement was cut short.
    landed() {
        return Promise.all(this.figure.getAnimations({ subtree: true }).map((fall) => fall.finished));
    }

    // Runs then once at least half the figure is in view, or as much of it
    // as the window can show; until then, the figure is brought into view
    // unless the user is scrolling. Returns what stops the watch.
    whenSeen(then) {
        const share = Math.min(SEEN, innerHeight / this.figure.offsetHeight);
        const sighting = new IntersectionObserver(([sight]) => {
            if (sight.intersectionRatio >= share) {
                sighting.disconnect();
                then();
            }
        }, { threshold: share });
        sighting.observe(this.figure);
        this.bringIntoView();
        return () => sighting.disconnect();
    }

    // Scrolls the page by what brings the drawing, and half the figure,
    // into view, where they are not: no more, so that the report above
    // stays in view as far as it can.
    bringIntoView(smoothly = true) {
        const { top, height } = this.figure.getBoundingClientRect();
        const drawn = this.figure.querySelector('.abacus').getBoundingClientRect().bottom;
        const short = Math.max(drawn, top + height * SEEN) + MARGIN_PX - innerHeight;
        if (short > 0 && performance.now() - this.scrolledByHand > HAND_MS) {
            scrollBy({ top: Math.min(short, top), behavior: smoothly ? 'smooth' : 'auto' });
        }
    }

    #build({ entered, sorted, piles, beads }) {
        Object.assign(this.figure.dataset, { entered: entered.join(' '), fallen: sorted.join(' '), counts: piles.join(' ') });
        const abacus = this.figure.querySelector('.rods');
        abacus.style.setProperty('--rods', piles.length);
        abacus.style.setProperty('--rows', entered.length);
        const place = (name, properties = {}) => {
            const element = document.createElement('i');
            element.className = name;
            for (const [property, value] of Object.entries(properties)) {
                element.style.setProperty(`--${property}`, value);
            }
            return element;
        };
        const current = place('current');
        current.append(place('pile'));
        this.beads = beads.map(({ j, from, to }) => place('bead', { j, i: from, fall: to - from }));
        abacus.replaceChildren(...piles.map((_, j) => place('rod', { j })), ...this.beads, current);

        const items = (name, values) => values.map((value) => Object.assign(document.createElement('li'),
                                                                            { className: name, textContent: value }));
        this.figure.querySelector('.entered-values').replaceChildren(...items('', entered));
        this.figure.querySelector('.row-counts').replaceChildren(...items('row-count', sorted));
        this.figure.querySelector('.as-entered').textContent = entered.join(', ');
        this.figure.querySelector('.as-fallen').textContent = sorted.join(', ');
    }
}
