// Says in the page, in Greek and English, that the program could not run or
// stopped with an error, with the error's own text. It stands apart from the
// page's script so that it runs even where a browser cannot parse or start
// that script. A run that failed can be started again; a page whose script
// could not start cannot.

const element = (id) => document.getElementById(id);

function fail(reason, canRunAgain) {
    if (!element('failure').hidden) {
        return;
    }
    element('reason').textContent = reason;
    element('failure').hidden = false;
    element('failed').hidden = false;
    element('line').disabled = true;
    element('end').disabled = true;
    element('again').hidden = !canRunAgain;
    delete element('terminal').dataset.reading;
    element('failure').scrollIntoView({ block: 'nearest' });
}

addEventListener('error', (event) => fail(String(event.error ?? event.message), false));
addEventListener('unhandledrejection', (event) => fail(String(event.reason), true));
