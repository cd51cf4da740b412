// The player's input: the keys the game gives a meaning to, F10 and Alt for the menus, F11 and
// the bar's button for the full screen, and the browser's own focus moves, all passed to the game.
const Input = (() => {
    // The browser's keys the game gives a meaning to, by the controller's names.
    const KEYS = {ArrowUp: 'up', ArrowDown: 'down', ArrowLeft: 'left', ArrowRight: 'right',
                  ' ': 'activate', Enter: 'activate', Spacebar: 'activate'};
    let altAlone = false;

    function toggleFullScreen() {
        if (document.fullscreenElement) {
            document.exitFullscreen().catch(() => {});
        } else if (document.documentElement.requestFullscreen) {
            document.documentElement.requestFullscreen().catch(() => {});
        }
    }

    function wire() {
        Board.element.addEventListener('focusin', (event) => {
            const focus = Board.focusOf(event.target);
            if (focus && !Port.focusing) {
                Gate.call('zx_focus', focus);
            }
        });
        document.addEventListener('keydown', (event) => {
            if (event.key === 'F11') {
                event.preventDefault();
                toggleFullScreen();
                return;
            }
            // Nothing behind an open message box answers.
            if (Messages.open) {
                altAlone = false;
                return;
            }
            altAlone = event.key === 'Alt';
            if (event.key === 'F10') {
                event.preventDefault();
                Menus.enter();
                return;
            }
            const key = KEYS[event.key];
            if (key === undefined || event.altKey || event.ctrlKey || event.metaKey) {
                return;
            }
            if (!Board.focusOf(document.activeElement)) {
                return;
            }
            // The game's controls answer these keys through the game, never natively.
            event.preventDefault();
            Gate.call('zx_key', [Page.codes.keys[key], event.repeat ? 1 : 0]);
        });
        document.addEventListener('keyup', (event) => {
            // Alt pressed and released alone opens the menu bar, as on the desktop.
            if (event.key === 'Alt' && altAlone && !Messages.open) {
                altAlone = false;
                event.preventDefault();
                Menus.enter();
                return;
            }
            if (KEYS[event.key] === 'activate' && Board.focusOf(document.activeElement)) {
                event.preventDefault();  // a Space released on a button must not press it again
            }
        });
        document.getElementById('full-screen').addEventListener('click', toggleFullScreen);
        addEventListener('resize', Board.fit);
        // A mouse plugged into a tablet, or taken away: the windows laid out for the one in use.
        Page.coarse.addEventListener('change', Board.fit);
        // Leaving the page ends the game, unless the browser keeps the page to come back to.
        addEventListener('pagehide', (event) => {
            if (!event.persisted) {
                Gate.call('zx_shut_down');
            }
        });
    }

    return {wire};
})();
