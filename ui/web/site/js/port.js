// The port: what the game's controller asks of the page (ui/web/web_port.cpp calls these).
// The page applies each as it is told; the page also uses it to show its start-up window
// before the module has loaded.
const Port = (() => {
    const {layout, picture, markers} = Page;
    // Set while the game itself moves the focus, so that the move is not reported back.
    let focusing = false;

    window.zentrixPort = {
        prepareControls() {
            // The page's markup has them already: asked for again, a picture would be loaded again.
            const show = (img, name) => {
                if (img.getAttribute('src') !== name) {
                    img.src = name;
                }
            };
            Board.markers.forEach((img) => show(img, markers));
            show(Board.rackPicture, picture(layout.nextBall.picture));
            for (const ball of Board.slots) {
                ball.disabled = true;
            }
        },
        showWindow() {
            const board = Board.element;
            if (board.style.visibility === 'visible') {
                return;
            }
            document.getElementById('loading')?.remove();
            board.style.visibility = 'visible';
            Board.fit();
            // For the benchmark: the first frame of the board, and the one with all its pictures.
            requestAnimationFrame(() => performance.mark('zentrix-board'));
            Promise.all([...Board.markers, Board.rackPicture].map((img) => img.decode().catch(() => {})))
                .then(() => requestAnimationFrame(() => performance.mark('zentrix-pictures')));
        },
        applySlot(slot, view) {
            const ball = Board.slots[slot];
            ball.style.visibility = view.shown ? '' : 'hidden';
            ball.disabled = !view.free;
            ball.style.backgroundImage = view.occupied ? `url(${picture(view.value)})` : 'none';
            ball.setAttribute('aria-label', view.name);
            Board.rings[slot].hidden = !view.selected;
        },
        applyLabel(index, caption, name) {
            Board.labels[index].textContent = caption;
            Board.labels[index].setAttribute('aria-label', name);
        },
        applyProgress(value) {
            Board.progress.setAttribute('aria-valuenow', String(value));
            Board.progressFill.style.width = `${(100 * (value - layout.progress.min)) /
                                                (layout.progress.max - layout.progress.min)}%`;
        },
        applyScoreEnabled(enabled) {
            Board.scoreButton.disabled = !enabled;
        },
        startTimer: Timers.start,
        stopTimer: Timers.stop,
        showMessage(text, title, style) {
            Messages.show(text, title, style, () => Gate.call('zx_message_closed'));
        },
        moveFocus(kind, slot) {
            const target = Board.control(kind, slot);
            if (target && document.activeElement !== target) {
                focusing = true;
                target.focus({preventScroll: true});
                focusing = false;
            }
        },
        showHelp: Help.show,
        closeHelpWindows: Help.closeAll,
        ended() {
            // The game has stopped both timers already.
            Gate.end();
        },
    };

    return {
        get focusing() { return focusing; },
    };
})();
