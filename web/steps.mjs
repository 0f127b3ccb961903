// The steps of the program's two loops, drawn from the player's state: the
// controls that step and play, the step said in a sentence, and the line of
// the sort's own source that the step runs, lit, with its variables' values,
// all as the program told them. Stepping, playing and the speed are buttons
// and a list, so the keys stay the terminal's.
import { both } from './both.mjs';

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
        // The guess is checked by Enter; the terminal's keys are not taken.
        this.guess = section.querySelector('#guess');
        this.guess.addEventListener('keydown', (event) => {
            if (event.key === 'Enter' && !event.isComposing) {
                event.preventDefault();
                actions.check(this.guess.value);
            }
        });
        this.asked = null;
        this.score = section.querySelector('.score');
    }

    draw({ record, at, playing, speed, guessing, asked, unread, guesses }) {
        this.source.hidden = record === null;
        this.speed.value = String(speed);
        this.section.querySelector('[data-action=guess]').setAttribute('aria-pressed', String(guessing));
        this.guess.parentElement.hidden = asked === null;
        this.section.classList.toggle('playing', playing);
        // A step a tick is too many to be read out.
        this.text.setAttribute('aria-live', playing ? 'off' : 'polite');
        const disabled = { previous: at === null, next: record !== null && at === record.steps.length - 1 };
        for (const button of this.section.querySelectorAll('[data-action]')) {
            button.setAttribute('aria-disabled', String(disabled[button.dataset.action] ?? false));
        }
        const step = at === null ? null : record.steps[at];
        const guessed = guesses.get(at);
        const said = [step, asked, unread, guessed];
        if (said.some((now, k) => now !== this.drawn?.[k])) {
            this.drawn = said;
            this.#say(step, { last: at === record?.steps.length - 1, sorted: record?.sorted, asked, unread, guessed });
            this.#light(asked === null ? step : null);
        }
        // The field takes the focus while a guess is asked; once checked,
        // the next step is one Enter away.
        if (asked !== this.asked) {
            if (asked !== null) {
                this.guess.value = '';
                this.guess.focus({ preventScroll: true });
            } else if (this.asked !== null && document.activeElement === this.guess) {
                this.section.querySelector('[data-action=next]').focus({ preventScroll: true });
            }
            this.asked = asked;
        }
        this.#score(guesses);
    }

    // Once the rows are guessed: how many piles were guessed right, and
    // whether the rows were.
    #score(guesses) {
        const piles = [...guesses.values()].filter((guess) => guess.kind === 'pile');
        const rows = [...guesses.values()].find((guess) => guess.kind === 'rows');
        this.score.hidden = rows === undefined;
        if (rows !== undefined) {
            const right = piles.filter((guess) => guess.right).length;
            this.score.replaceChildren(
                both(`${right} από ${piles.length} στοίβες σωστές`, `${right} of ${piles.length} piles right`),
                document.createElement('br'),
                both(`Οι σειρές ${rows.right ? 'σωστές' : 'λάθος'}`, `The rows ${rows.right ? 'right' : 'wrong'}`));
        }
    }

    // The step in a sentence, Greek then English; rods count from 1. After
    // the last, the rows hold the values in order. Guessing first, the
    // question, or the verdict on the guess before the step.
    #say(step, { last, sorted, asked, unread, guessed }) {
        if (step === null) {
            this.text.replaceChildren();
            return;
        }
        const { loop, j, pile } = step;
        const rod = j + 1;
        let greek;
        let english;
        if (asked !== null) {
            const [again, question] = asked === 'pile' ?
                [['Γράψτε έναν ακέραιο. ', 'Type a whole number. '],
                 [`Ράβδος ${rod}: πόσες χάντρες θα στοιβαχτούν σε αυτή;`, `Rod ${rod}: how many beads will pile on it?`]] :
                [['Γράψτε δέκα ακέραιους σε μία γραμμή. ', 'Type ten whole numbers on one line. '],
                 ['Τι θα διαβάσουν οι σειρές, από πάνω προς τα κάτω;', 'What will the rows read, from the top down?']];
            this.text.replaceChildren(both(`${unread ? again[0] : ''}${question[0]}`, `${unread ? again[1] : ''}${question[1]}`));
            return;
        }
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
        if (last) {
            greek += `. Οι σειρές μετρούν τώρα τις τιμές με τη σειρά: ${sorted.join(', ')}`;
            english += `. The rows now count the values in order: ${sorted.join(', ')}`;
        }
        const verdicts = {
            right: ['Σωστά. ', 'Right. '],
            pile: [`Όχι, η στοίβα της είναι ${pile}. `, `Not so: its pile is ${pile}. `],
            rows: [`Όχι, οι σειρές διαβάζουν ${sorted.join(', ')}. `, `Not so: the rows read ${sorted.join(', ')}. `],
        };
        const verdict = guessed === undefined ? ['', ''] : verdicts[guessed.right ? 'right' : guessed.kind];
        this.text.replaceChildren(both(`${verdict[0]}Ράβδος ${rod}: ${greek}`, `${verdict[1]}Rod ${rod}: ${english}`));
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
