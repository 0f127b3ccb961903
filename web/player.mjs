// Where the learner is in the run's record, the one state that the figure
// and the steps both draw: the whole fall's state (entered, fallen, or
// read), or a step of the sort's loops; whether the steps play, and how
// fast. Each change is drawn by both views at once.
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
        this.state = { record: null, fall: 'entered', at: null, playing: false, speed: MEDIUM_MS };
        this.timers = [];
        this.playing = null;
        this.stopSeeing = null;
        this.reducedMotion = matchMedia('(prefers-reduced-motion: reduce)');
        const actions = {
            fall: (fall) => this.#fall(fall, FALL_MS),
            replay: () => this.#playFall(),
            start: () => this.#fall('entered', FALL_MS),
            previous: () => this.state.at !== null && this.#go(this.state.at - 1),
            next: () => this.state.at !== this.#last() && this.#go(this.state.at === null ? 0 : this.state.at + 1),
            play: () => (this.playing === null ? this.#play() : this.#pause()),
            speed: (ms) => {
                this.#set({ speed: ms });
                if (this.playing !== null) {
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
            this.#set({ record });
            this.#playFall();
        });
    }

    // Nothing sorted.
    clear() {
        this.#stop();
        this.#set({ record: null, fall: 'entered', at: null }, 0);
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
        this.#set({ fall, at: null }, ms);
    }

    // Step at, from before the first (-1), which is the rows as entered, to
    // the last.
    #go(at) {
        if (at < 0) {
            this.#fall('entered', FALL_MS);
            return;
        }
        this.#set({ at }, Math.min(MOVE_MS, 0.8 * this.state.speed));
        if (at === this.#last()) {
            this.#pause();
        }
    }

    // From the next step on, or from the first after the last.
    #play() {
        const from = this.state.at === this.#last() ? null : this.state.at;
        this.#set({ playing: true });
        this.#tick();
        this.#go(from === null ? 0 : from + 1);
    }

    #tick() {
        clearInterval(this.playing);
        this.playing = setInterval(() => this.#go(this.state.at + 1), this.state.speed);
    }

    #pause() {
        clearInterval(this.playing);
        this.playing = null;
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
        clearInterval(this.playing);
        this.playing = null;
        this.state.playing = false;
    }
}
