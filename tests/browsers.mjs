// How the page's tests and its benchmark start each browser that puppeteer
// drives: Debian's builds, headless.
export const puppeteerBrowsers = {
    chromium: {
        browser: 'chrome',
        executablePath: '/usr/bin/chromium',
        // No calls home, which a closed network refuses.
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
               '--no-first-run', '--disable-sync'],
    },
    firefox: { browser: 'firefox', executablePath: '/usr/bin/firefox-esr' },
};
