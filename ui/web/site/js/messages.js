// The game's message boxes: modal over the whole page, one OK button.
const Messages = (() => {
    // A message box's icon by its style's name.
    const ICONS = {critical: '\u00d7', question: '?', exclamation: '!', information: 'i'};
    let count = 0;
    // The open box: {box, ok}, or null.
    let open = null;
    // Everything behind a box, which takes no click, key or focus while it is open.
    const behind = () => [document.querySelector('header'), Board.stage, document.getElementById('windows')];

    // The box at the board's scale for a mouse, unscaled for a finger, or smaller where it would
    // not fit.
    function fit() {
        if (!open) {
            return;
        }
        const {box} = open;
        const scale = Math.min(Page.coarse.matches ? 1 : Board.scale, (innerWidth - 8) / box.offsetWidth,
                               (innerHeight - 8) / box.offsetHeight);
        box.style.transform = `scale(${scale})`;
    }

    // The focus stays in the box, wherever the player clicks or tabs.
    document.addEventListener('focusin', (event) => {
        if (open && !open.box.contains(event.target)) {
            open.ok.focus({preventScroll: true});
        }
    });

    // Shows the box; `closed` is called once the player has closed it.
    function show(text, title, style, closed) {
        const before = document.activeElement;
        const backdrop = document.createElement('div');
        backdrop.className = 'modal-backdrop';
        const box = document.createElement('div');
        box.className = 'window message-box';
        box.setAttribute('role', 'alertdialog');
        box.setAttribute('aria-modal', 'true');
        const id = `message-${++count}`;
        box.setAttribute('aria-labelledby', `${id}-title`);
        box.setAttribute('aria-describedby', `${id}-text`);
        const bar = document.createElement('div');
        bar.className = 'title-bar';
        const heading = document.createElement('h2');
        heading.id = `${id}-title`;
        heading.textContent = title;
        bar.append(heading);
        const body = document.createElement('div');
        body.className = 'message-body';
        const styles = Page.codes.messageStyles;
        const kind = Object.keys(styles).find((k) => styles[k] === style) || 'information';
        const icon = document.createElement('div');
        icon.className = `message-icon ${kind}`;
        icon.setAttribute('aria-hidden', 'true');
        icon.textContent = ICONS[kind];
        const message = document.createElement('p');
        message.className = 'message-text';
        message.id = `${id}-text`;
        message.textContent = text;
        body.append(icon, message);
        const buttons = document.createElement('div');
        buttons.className = 'message-buttons';
        const ok = document.createElement('button');
        ok.type = 'button';
        ok.textContent = 'OK';
        buttons.append(ok);
        box.append(bar, body, buttons);
        backdrop.append(box);
        // A press beside the box leaves the focus on its button.
        for (const type of ['pointerdown', 'mousedown']) {
            backdrop.addEventListener(type, (event) => {
                if (!box.contains(event.target)) {
                    event.preventDefault();
                }
            });
        }
        for (const element of behind()) {
            element.inert = true;
        }
        Menus.close();
        document.body.append(backdrop);
        open = {box, ok};
        fit();
        const closeBox = () => {
            if (open === null || open.box !== box) {
                return;
            }
            open = null;
            for (const element of behind()) {
                element.inert = false;
            }
            backdrop.remove();
            if (before && before.isConnected && typeof before.focus === 'function') {
                before.focus({preventScroll: true});
            }
            closed();
        };
        ok.addEventListener('click', closeBox);
        box.addEventListener('keydown', (event) => {
            if (event.key === 'Escape') {
                event.preventDefault();
                closeBox();
            } else if (event.key === 'Tab') {
                event.preventDefault();  // the box's one button keeps the focus
                ok.focus();
            }
            event.stopPropagation();
        });
        ok.focus();
    }

    return {
        show,
        fit,
        get open() { return open !== null; },
    };
})();
