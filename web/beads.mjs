// The figure of the beads: the values as the program accepted them, each a
// row of beads across the rods; the beads falling to the bottom of their
// rods; and the fallen rows read back, as the program's sort gave them. The
// page draws; the program decides. On a rod, the beads keep their order as
// they fall, so the one that the figure moves to each place is the one
// above it, never a copy.

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
        figure.style.setProperty('--fall-time', `${FALL_MS}ms`);
        for (const button of figure.querySelectorAll('[data-step]')) {
            button.addEventListener('click', () => this.#step(button.dataset.step));
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
        for (const name of ['entered', 'fallen', 'counts', 'state']) {
            delete this.figure.dataset[name];
        }
    }

    // Draws the rows as entered and lets them fall, once the program has
    // written its report, unless a new run has begun by then. The piles are
    // those that the program counted on each rod.
    show({ entered, fallen, counts }) {
        Object.assign(this.figure.dataset, { entered: entered.join(' '), fallen: fallen.join(' '), counts: counts.join(' ') });
        this.#later(0, () => {
            this.#draw(entered, fallen, counts.length);
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

    #draw(entered, fallen, rods) {
        const abacus = this.figure.querySelector('.rods');
        abacus.style.setProperty('--rods', rods);
        abacus.style.setProperty('--rows', entered.length);
        const place = (name, properties) => {
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
        abacus.replaceChildren(...elements);

        const values = (list) => list.map((value) => {
            const item = document.createElement('li');
            item.textContent = value;
            return item;
        });
        this.figure.querySelector('.entered-values').replaceChildren(...values(entered));
        this.figure.querySelector('.fallen-values').replaceChildren(...values(fallen));
        this.figure.querySelector('.as-entered').textContent = entered.join(', ');
        this.figure.querySelector('.as-fallen').textContent = fallen.join(', ');
    }

    // A step chosen by hand: the beads move there, and stay.
    #step(state) {
        this.#stop();
        this.#set(state, !this.reducedMotion.matches);
    }

    // Moves to a state, with movement or at once.
    #set(state, moving) {
        const figure = this.figure;
        figure.classList.toggle('still', !moving);
        figure.dataset.state = state;
        for (const button of figure.querySelectorAll('[data-step]')) {
            button.setAttribute('aria-pressed', String(button.dataset.step === state));
        }
        // Laid out at once, so that a movement starts from here, and its
        // animations are there to be waited for.
        void figure.offsetHeight;
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
