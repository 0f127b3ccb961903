// The figure of the beads: the values as the program accepted them, each a
// row of beads across the rods; the beads falling to the bottom of their
// rods; and the fallen rows read back, as the program's sort gave them. It
// also draws one step of the sort at a time: the drop on one rod, or one
// rod's pile read into the rows, with the pile and the rows' counts that
// the program told. The page draws; the program decides. On a rod, the
// beads keep their order as they fall, so the one that the figure moves to
// each place is the one above it, never a copy.

// How long the rows as entered stay before they fall, and how long the fall
// takes; with reduced motion, neither. The rows are read once every bead
// has landed. A fall waits until at least half the figure is in view.
const PAUSE_MS = 700;
const FALL_MS = 1000;
const SEEN = 0.5;
const MARGIN_PX = 8;
// A scroll by hand this recent is still going on: the page does not scroll.
const HAND_MS = 1000;

export class Beads {
    constructor(figure) {
        this.figure = figure;
        this.timers = [];
        this.sighting = null;
        this.scrolledByHand = -Infinity;
        this.reducedMotion = matchMedia('(prefers-reduced-motion: reduce)');
        for (const button of figure.querySelectorAll('[data-step]')) {
            button.addEventListener('click', () => this.go(button.dataset.step));
        }
        figure.querySelector('.replay').addEventListener('click', () => this.play());
        for (const type of ['wheel', 'touchmove']) {
            addEventListener(type, (event) => {
                this.scrolledByHand = event.timeStamp;
            }, { passive: true });
        }
    }

    // No figure: nothing has been sorted.
    clear() {
        this.#stop();
        this.figure.hidden = true;
        for (const name of ['entered', 'fallen', 'counts', 'state', 'at']) {
            delete this.figure.dataset[name];
        }
    }

    // Draws the rows as entered and lets them fall, once the program has
    // written its report, unless a new run has begun by then. The piles are
    // those that the program counted on each rod.
    show(sorted) {
        const { entered, fallen, counts } = sorted;
        this.sorted = sorted;
        Object.assign(this.figure.dataset, { entered: entered.join(' '), fallen: fallen.join(' '), counts: counts.join(' ') });
        this.#later(0, () => {
            this.#draw();
            this.figure.hidden = false;
            this.play();
        });
    }

    // The rows as entered, a pause, the fall, and the rows read back.
    play() {
        this.#stop();
        this.#set('entered', false);
        if (this.reducedMotion.matches) {
            this.#set('read', false);
            this.#bringIntoView();
            return;
        }
        this.#later(PAUSE_MS, () => this.#whenSeen(() => {
            this.#set('fallen', true);
            // A fall cut short by another step is not read.
            const landing = this.figure.getAnimations({ subtree: true }).map((fall) => fall.finished);
            Promise.all(landing).then(() => this.#set('read', true), () => {});
        }));
    }

    // A state of the whole fall chosen by hand: the beads move there, and
    // stay.
    go(state) {
        this.#stop();
        this.#set(state, !this.reducedMotion.matches);
    }

    // One step of the sort's loops, its beads moving for ms: on the drop's
    // rod j its beads fall and its pile shows; on the rows' rod j, that
    // rod's pile is read, and each row shows its count so far.
    step({ phase, j }, ms) {
        this.#stop();
        const { counts, rows } = this.sorted;
        this.#move(ms);
        Object.assign(this.figure.dataset, { state: 'steps', at: `${phase} ${j}` });
        this.#press(null);
        this.#rods({ at: j, dropped: phase === 'drop' ? j + 1 : counts.length,
                     counted: phase === 'rows' ? j + 1 : counts.length });
        this.figure.querySelector('.pile').textContent = counts[j];
        this.#count(phase === 'rows' ? rows[j] : []);
    }

    #draw() {
        const { entered, fallen, counts } = this.sorted;
        const rods = counts.length;
        const abacus = this.figure.querySelector('.rods');
        abacus.style.setProperty('--rods', rods);
        abacus.style.setProperty('--rows', entered.length);
        const place = (name, properties = {}) => {
            const element = document.createElement('i');
            element.className = name;
            for (const [property, value] of Object.entries(properties)) {
                element.style.setProperty(`--${property}`, value);
            }
            return element;
        };
        const elements = [];
        for (let j = 0; j < rods; j += 1) {
            elements.push(place('rod', { j }));
            // On rod j, the beads of the rows that reach it, from the top,
            // and the rows that they fall to, from the top.
            const from = entered.flatMap((value, row) => (value > j ? [row] : []));
            const to = fallen.flatMap((value, row) => (value > j ? [row] : []));
            from.forEach((row, k) => elements.push(place('bead', { j, i: row, fall: (to[k] ?? row) - row })));
        }
        // The rod that a step is on, with its pile below it.
        const current = place('current');
        current.append(place('pile'));
        abacus.replaceChildren(...elements, current);

        const items = (name, values) => values.map((value) => Object.assign(document.createElement('li'),
                                                                            { className: name, textContent: value }));
        this.figure.querySelector('.entered-values').replaceChildren(...items('', entered));
        this.figure.querySelector('.row-counts').replaceChildren(...items('row-count', fallen));
        this.figure.querySelector('.as-entered').textContent = entered.join(', ');
        this.figure.querySelector('.as-fallen').textContent = fallen.join(', ');
    }

    // Shows each row's count at the row's end; none where none are given.
    #count(values) {
        this.figure.querySelectorAll('.row-count').forEach((item, row) => {
            item.textContent = values[row] ?? '';
        });
    }

    // Moves to a state of the whole fall, with movement or at once; the
    // steps are left.
    #set(state, moving) {
        const figure = this.figure;
        const rods = this.sorted.counts.length;
        this.#move(moving ? FALL_MS : 0);
        figure.dataset.state = state;
        delete figure.dataset.at;
        this.#press(state);
        this.#rods({ at: 0, dropped: state === 'entered' ? 0 : rods, counted: rods });
        this.#count(this.sorted.fallen);
        figure.dispatchEvent(new Event('fall'));
        // Laid out at once, so that a movement starts from here, and its
        // animations are there to be waited for.
        void figure.offsetHeight;
    }

    #move(ms) {
        this.figure.classList.toggle('still', ms === 0 || this.reducedMotion.matches);
        this.figure.style.setProperty('--fall-time', `${ms}ms`);
    }

    #press(state) {
        for (const button of this.figure.querySelectorAll('[data-step]')) {
            button.setAttribute('aria-pressed', String(button.dataset.step === state));
        }
    }

    // Which rods' beads have fallen, which have been read into the rows,
    // and the rod that the step is on.
    #rods(properties) {
        const abacus = this.figure.querySelector('.rods');
        for (const [property, value] of Object.entries(properties)) {
            abacus.style.setProperty(`--${property}`, value);
        }
    }

    // Runs then once at least half the figure is in view, or as much of it
    // as the window can show; until then, the figure is brought into view
    // unless the user is scrolling.
    #whenSeen(then) {
        const share = Math.min(SEEN, innerHeight / this.figure.offsetHeight);
        this.sighting = new IntersectionObserver(([sight]) => {
            if (sight.intersectionRatio >= share) {
                this.sighting.disconnect();
                then();
            }
        }, { threshold: share });
        this.sighting.observe(this.figure);
        this.#bringIntoView();
    }

    // Scrolls the page by what brings the drawing, and half the figure,
    // into view, where they are not: no more, so that the report above
    // stays in view as far as it can.
    #bringIntoView() {
        const { top, height } = this.figure.getBoundingClientRect();
        const drawn = this.figure.querySelector('.abacus').getBoundingClientRect().bottom;
        const short = Math.max(drawn, top + height * SEEN) + MARGIN_PX - innerHeight;
        if (short > 0 && performance.now() - this.scrolledByHand > HAND_MS) {
            scrollBy({ top: Math.min(short, top), behavior: this.reducedMotion.matches ? 'auto' : 'smooth' });
        }
    }

    #later(ms, then) {
        this.timers.push(setTimeout(then, ms));
    }

    #stop() {
        this.timers.forEach(clearTimeout);
        this.timers = [];
        this.sighting?.disconnect();
        this.sighting = null;
    }
}
