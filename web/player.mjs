// Where the learner is in the run's record, the one state that the figure
// and the steps both draw: the whole fall's state (entered, fallen, or
// read), or a step of the sort's loops; whether the steps play, and how
// fast; and, where the learner guesses first, what is asked and what was
// guessed. Each change is drawn by both views at once.
import { Beads } from './beads.mjs';
import { Steps } from './steps.mjs';

// How long the rows as entered stay before they fall, how long the fall
// takes, and how long a step's beads move, at most; with reduced motion,
// nothing moves. The rows are read once every bead has landed.
const PAUSE_MS = 700;
const FALL_MS = 1000;
const MOVE_MS = 400;
const MEDIUM_MS = 400;

export class Player {
    constructor(figure, steps, source, code) {
        // asked: 'pile' or 'rows' while the step at waits for a guess;
        // guesses: each step guessed, by its place, with the guess's kind
        // and whether it was right.
        this.state = { record: null, fall: 'entered', at: null, playing: false, speed: MEDIUM_MS,
                       guessing: false, asked: null, unread: false, guesses: new Map() };
        this.timers = [];
        this.ticker = null;
        this.stopSeeing = null;
        this.reducedMotion = matchMedia('(prefers-reduced-motion: reduce)');
        const actions = {
            fall: (fall) => this.#fall(fall, FALL_MS),
            replay: () => this.#playFall(),
            start: () => this.#fall('entered', FALL_MS),
            previous: () => this.state.at !== null && this.#go(this.state.at - 1),
            next: () => this.state.at !== this.#last() && this.#go(this.state.at === null ? 0 : this.state.at + 1, true),
            play: () => (this.state.playing ? this.#pause() : this.#play()),
            guess: () => this.#set({ guessing: !this.state.guessing, asked: null, unread: false }, MOVE_MS),
            check: (text) => this.#check(text),
            speed: (ms) => {
                this.#set({ speed: ms });
                if (this.state.playing) {
                    this.#tick();
                }
            },
        };
        this.views = [new Beads(figure, actions), new Steps(steps, source, code, actions)];
        [this.beads] = this.views;
    }

    // A new run's record, drawn once the program has written its report,
    // unless a new run has begun by then; then its beads fall.
    show(record) {
        this.#stop();
        this.#later(0, () => {
            this.#set({ record, guesses: new Map() });
            this.#playFall();
        });
    }

    // Nothing sorted.
    clear() {
        this.#stop();
        this.#set({ record: null, fall: 'entered', at: null, asked: null }, 0);
    }

    // The rows as entered, a pause, the fall, and the rows read back.
    #playFall() {
        this.#fall('entered', 0);
        if (this.reducedMotion.matches) {
            this.#set({ fall: 'read' }, 0);
            this.beads.bringIntoView(false);
            return;
        }
        this.#later(PAUSE_MS, () => {
            this.stopSeeing = this.beads.whenSeen(() => {
                this.#set({ fall: 'fallen' }, FALL_MS);
                // A fall cut short by another state is not read.
                const fall = this.timers;
                this.beads.landed().then(() => fall === this.timers && this.#set({ fall: 'read' }, 0), () => {});
            });
        });
    }

    // A state of the whole fall: the beads move there, and stay.
    #fall(fall, ms) {
        this.#stop();
        this.#set({ fall, at: null, asked: null }, ms);
    }

    // Step at, from before the first (-1), which is the rows as entered, to
    // the last. Guessing first, a step reached going on asks first: the
    // pile of each rod of the drop, and the rows before they are read.
    #go(at, onward = false) {
        if (at < 0) {
            this.#fall('entered', FALL_MS);
            return;
        }
        const { record, guessing, guesses } = this.state;
        const { loop } = record.steps[at];
        const first = record.steps.findIndex((step) => step.loop === loop) === at;
        const asked = onward && guessing && !guesses.has(at) && (loop === 'drop' ? 'pile' : first && 'rows') || null;
        this.#set({ at, asked, unread: false }, Math.min(MOVE_MS, 0.8 * this.state.speed));
        if (asked || at === this.#last()) {
            this.#pause();
        }
    }

    // The learner's guess at what is asked, against what the program told:
    // the pile, a whole number; or the rows, from the top, as many as the
    // values. A guess that does not read so is asked again.
    #check(text) {
        const { record, at, asked, guesses } = this.state;
        if (asked === null) {
            return;
        }
        const numbers = text.trim().split(/[\s,]+/);
        const wanted = asked === 'pile' ? [record.steps[at].pile] : record.sorted;
        if (numbers.length !== wanted.length || !numbers.every((number) => /^\d+$/.test(number))) {
            this.#set({ unread: true });
            return;
        }
        guesses.set(at, { kind: asked, right: numbers.every((number, k) => Number(number) === wanted[k]) });
        this.#set({ asked: null, unread: false }, Math.min(MOVE_MS, 0.8 * this.state.speed));
    }

    // From the next step on, or from the first after the last.
    #play() {
        if (this.state.asked) {
            return;
        }
        const from = this.state.at === this.#last() ? null : this.state.at;
        this.#set({ playing: true });
        this.#tick();
        this.#go(from === null ? 0 : from + 1, true);
    }

    #tick() {
        clearInterval(this.ticker);
        this.ticker = setInterval(() => this.#go(this.state.at + 1, true), this.state.speed);
    }

    #pause() {
        clearInterval(this.ticker);
        this.ticker = null;
        this.#set({ playing: false });
    }

    #last() {
        return this.state.record.steps.length - 1;
    }

    // Draws the change; the beads move for ms where it is given.
    #set(changes, ms) {
        Object.assign(this.state, changes);
        const moving = this.reducedMotion.matches && ms !== undefined ? 0 : ms;
        for (const view of this.views) {
            view.draw(this.state, moving);
        }
    }

    #later(ms, then) {
        this.timers.push(setTimeout(then, ms));
    }

    // Whatever was under way stops: timers, the watch for the figure, and
    // playing.
    #stop() {
        this.timers.forEach(clearTimeout);
        this.timers = [];
        this.stopSeeing?.();
        this.stopSeeing = null;
        clearInterval(this.ticker);
        this.ticker = null;
        this.state.playing = false;
    }
}
