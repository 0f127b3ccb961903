// The page's own imports, which its build of the program calls as its sort
// runs, and the one record of the run that they fill. The record holds what
// the program told and nothing else: the values as its reader accepted them
// and as its sort gave them, and every step of the sort's two loops, one rod
// of the drop or of the rows, in the order the loops ran them, with what
// each turn of the inner loop told.
//
//   record = {
//       entered, sorted,            the values, as A and as B
//       piles,                      the pile on each rod after the drop
//       steps: [{ loop: 'drop', j, pile, told: [{ i, bead, pile }] },
//               { loop: 'rows', j, pile, told: [{ k, threshold, reached, counter }] }],
//       beads: [{ j, from, to }],   each bead: its rod, its row as entered, its row fallen
//   }

// The imports for one run; once the sort has run, sorted(record) is called.
// watch(instance) gives them the instance's memory, where the values lie.
export function recorder(sorted) {
    let memory = null;
    const steps = new Map();
    const told = (loop, j, what) => {
        const key = `${loop} ${j}`;
        if (!steps.has(key)) {
            steps.set(key, { loop, j, told: [] });
        }
        steps.get(key).told.push(what);
    };
    const values = (at, count) => Array.from(new Int32Array(memory.buffer, at, count));

    const page = {
        drop(i, j, bead, pile) {
            told('drop', j, { i, bead: bead !== 0, pile });
        },
        rows(k, j, threshold, reached, counter) {
            told('rows', j, { k, threshold, reached: reached !== 0, counter });
        },
        sorted(A, B, count) {
            sorted(finish([...steps.values()], values(A, count), values(B, count)));
        },
    };
    return {
        imports: { page },
        watch(instance) {
            ({ memory } = instance.exports);
        },
    };
}

// A rod's pile is the last that the drop told on it. On each rod, the beads
// keep their order as they fall: the one that makes the pile p lands on the
// p-th row, from the top, that the rows found the pile to reach.
function finish(steps, entered, sorted) {
    const piles = [];
    const reached = [];
    for (const { loop, j, told } of steps) {
        if (loop === 'drop') {
            piles[j] = told.at(-1).pile;
        } else {
            reached[j] = told.filter((row) => row.reached).map((row) => row.k);
        }
    }
    const beads = steps.filter((step) => step.loop === 'drop').flatMap(({ j, told }) => told
        .filter((value) => value.bead)
        .map(({ i, pile }) => {
            const to = reached[j]?.[pile - 1];
            if (to === undefined) {
                throw new Error(`the bead of row ${i} on rod ${j} has no row to land on`);
            }
            return { j, from: i, to };
        }));
    for (const step of steps) {
        step.pile = piles[step.j];
    }
    return { entered, sorted, piles, steps, beads };
}
