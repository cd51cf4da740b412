// The board: the main window's controls, arranged for the screen (the form as designed, or made for
// a finger on a phone held either way), and scaled as one piece to the largest size that fits the
// felt.
const Board = (() => {
    const {layout, codes} = Page;
    const board = document.getElementById('board');
    const stage = document.getElementById('stage');
    const slots = [];
    const rings = [];
    const labels = [];
    const markers = [];
    let nextButton = null;
    let rackPicture = null;
    let scoreButton = null;
    let progress = null;
    let progressFill = null;
    let scale = 1;
    // The media queries that choose an arrangement.
    const queries = layout.arrangements.map((a) => matchMedia(a.media));

    // The controls of the main window are in the page as the game's start-up leaves them, where
    // the style sheet puts them for each arrangement (start-view.js writes both): the board takes
    // them over, in the order they were written.
    function build() {
        board.querySelectorAll('.marker').forEach((img, index) => { markers[layout.markers[index].index] = img; });
        labels.push(...board.querySelectorAll('.label'));
        board.querySelectorAll('.ring').forEach((ring, slot) => { rings[slot] = ring; });
        for (const ball of board.querySelectorAll('.ball')) {
            const slot = Number(ball.dataset.slot);
            slots[slot] = ball;
            ball.addEventListener('click', (event) => Gate.call('zx_ball', [slot, Page.clicks(event)]));
        }
        nextButton = document.getElementById('next-ball');
        rackPicture = nextButton.querySelector('img');
        scoreButton = document.getElementById('take-score');
        progress = document.getElementById('progress');
        progressFill = progress.firstElementChild;
        for (const [button, code] of [[nextButton, codes.buttons.nextBall], [scoreButton, codes.buttons.takeScore]]) {
            button.addEventListener('click', (event) => Gate.call('zx_button', [code, Page.clicks(event)]));
        }
    }

    // The board scaled as one piece to the largest size that fits, centred on the felt, in the
    // arrangement for this screen: the first whose media query matches (the form as designed
    // matches every screen), as the style sheet chooses it. Fitted again whenever the page's size
    // changes, as the phone turns, and when the pointer changes. The windows over it follow its scale.
    function fit() {
        const width = stage.clientWidth;
        const height = stage.clientHeight;
        const area = layout.arrangements[queries.findIndex((query) => query.matches)].area;
        const fitted = Math.min(width / area.w, height / area.h);
        if (!(fitted > 0)) {
            return;
        }
        scale = fitted;
        const left = (width - area.w * scale) / 2;
        const top = (height - area.h * scale) / 2;
        board.style.transform = `translate(${left}px, ${top}px) scale(${scale})`;
        Help.fitAll();
        Messages.fit();
    }

    // The focusable control's kind and slot as the game names them, or null.
    function focusOf(element) {
        if (!element || !board.contains(element)) {
            return null;
        }
        if (element.classList.contains('ball')) {
            return [codes.focus.ball, Number(element.dataset.slot)];
        }
        if (element === nextButton) {
            return [codes.focus.nextBall, -1];
        }
        if (element === scoreButton) {
            return [codes.focus.takeScore, -1];
        }
        return null;
    }

    function control(kind, slot) {
        return kind === codes.focus.ball ? slots[slot]
             : kind === codes.focus.nextBall ? nextButton
             : kind === codes.focus.takeScore ? scoreButton : null;
    }

    // A menu or a help window has let the focus go: the game says where it goes back to.
    function restoreFocus() {
        Gate.call('zx_focus_returned');
    }

    return {
        element: board,
        stage,
        build,
        fit,
        focusOf,
        control,
        restoreFocus,
        get scale() { return scale; },
        get slots() { return slots; },
        get rings() { return rings; },
        get labels() { return labels; },
        get markers() { return markers; },
        get rackPicture() { return rackPicture; },
        get scoreButton() { return scoreButton; },
        get progress() { return progress; },
        get progressFill() { return progressFill; },
    };
})();
