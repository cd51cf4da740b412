// The start: the window at once, as the game's start-up will leave it, before the module has
// loaded; then the game, once it has.
(() => {
    const {layout} = Page;
    const port = window.zentrixPort;

    // The page shows the window from its own markup and style sheet first. Its script takes the
    // window over, built, dressed and shown as the game's port does it, once that window has been
    // painted with its pictures, so that the script adds nothing before it: a frame after the
    // pictures are ready, or at once on a page not shown.
    function takeOver() {
        document.title = layout.caption;
        Board.build();
        // About and Rules need nothing of the game: before it has loaded the page opens them itself.
        Menus.build((item) => {
            if (!Gate.ready && item.help !== undefined) {
                Help.show(item.help);
            } else {
                Gate.call('zx_menu', [item.command]);
            }
        });
        Input.wire();
        const view = layout.start;
        port.prepareControls();
        port.showWindow();
        port.moveFocus(view.focus.kind, view.focus.slot);
        view.slots.forEach((slot, index) => port.applySlot(index, slot));
        view.labels.forEach((label, index) => port.applyLabel(index, label.caption, label.name));
        port.applyProgress(view.progress);
        port.applyScoreEnabled(view.scoreEnabled);
    }
    const pictures = [...Board.element.querySelectorAll('img')].map((img) => img.decode().catch(() => {}));
    const takenOver = Promise.all(pictures).then(() => new Promise((resolve) => {
        const now = () => setTimeout(() => resolve(takeOver()));
        if (document.visibilityState === 'hidden') {
            now();
        } else {
            requestAnimationFrame(now);
        }
    }));

    // The module has loaded: the game starts, and its start-up applies its own view.
    function start() {
        Board.stage.setAttribute('aria-busy', 'false');
        document.getElementById('busy').remove();
        const ratio = devicePixelRatio || 1;
        Gate.open((run) => run('zx_start', [
            Page.seed !== null ? 1 : 0, Page.seed !== null ? Page.seed : 0,
            Math.round(screen.width * ratio), Math.round(screen.height * ratio), screen.colorDepth || 24]));
    }

    // The module, asked for once the board has been painted with its pictures: on a slow network
    // it would take its share of the bandwidth from them, and it comes no later than if all came
    // at once. It starts the game when it is ready.
    window.Module = {
        instantiateWasm: Loader.instantiate,
        onRuntimeInitialized: start,
        onAbort: (what) => Loader.cannotStart(new Error(`The game stopped: ${what}`)),
    };
    takenOver.then(Loader.load);
    Loader.begin();

    // Every visit asks for the worker's script past the HTTP cache: a new version of the site is a
    // new worker, which fetches and checks the whole version and serves it from the next visit on.
    // A visit the worker serves asks at once, as its files come from the worker and the check takes
    // nothing from them, so that even a short visit finds a new version; the first visit waits
    // until the page has loaded, so that the worker's own copy of every file does not slow it.
    if ('serviceWorker' in navigator && location.protocol !== 'file:') {
        const check = () => navigator.serviceWorker.register('sw.js', {updateViaCache: 'none'})
            .then((registration) => registration.update())
            .catch((error) => console.warn(error));
        if (navigator.serviceWorker.controller) {
            check();
        } else {
            addEventListener('load', check);
        }
    }
})();
