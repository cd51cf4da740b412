// The port: what the game's controller asks of the page (ui/web/web_port.cpp calls these, as the
// global zentrixPort). The page applies each as it is told.
import * as Board from './board.js';
import * as Gate from './gate.js';
import * as Help from './help.js';
import * as Messages from './messages.js';
import * as Timers from './timers.js';
import {layout, picture, markers} from './page.js';

// What the window shows of each slot and of the time bar, as last applied: at first the start view
// the page was built with, which is not written again.
const slots = layout.start.slots.map((slot) => ({...slot}));
let progress = layout.start.progress;

export const port = {
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
        board.style.visibility = 'visible';
        Board.fit();
        // For the benchmark: the first frame of the board, and the one with all its pictures.
        requestAnimationFrame(() => performance.mark('zentrix-board'));
        Promise.all([...Board.markers, Board.rackPicture].map((img) => img.decode().catch(() => {})))
            .then(() => requestAnimationFrame(() => performance.mark('zentrix-pictures')));
    },
    applySlot(slot, view) {
        const ball = Board.slots[slot];
        const was = slots[slot];
        slots[slot] = view;
        if (view.shown !== was.shown) {
            ball.style.visibility = view.shown ? '' : 'hidden';
        }
        ball.disabled = !view.free;
        if (view.occupied !== was.occupied || (view.occupied && view.value !== was.value)) {
            ball.style.backgroundImage = view.occupied ? `url(${picture(view.value)})` : 'none';
        }
        ball.setAttribute('aria-label', view.name);
        Board.rings[slot].hidden = !view.selected;
    },
    applyLabel(index, caption, name) {
        Board.labels[index].textContent = caption;
        Board.labels[index].setAttribute('aria-label', name);
    },
    applyProgress(value) {
        Board.progress.setAttribute('aria-valuenow', String(value));
        if (value === progress) {
            return;
        }
        progress = value;
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
    // The game's own focus moves come while it runs, and the gate drops what they would report.
    moveFocus(kind, slot) {
        const target = Board.control(kind, slot);
        if (target && document.activeElement !== target) {
            target.focus({preventScroll: true});
        }
    },
    showHelp: Help.show,
    closeHelpWindows: Help.closeAll,
    ended() {
        // The game has stopped both timers already.
        Gate.end();
    },
};
window.zentrixPort = port;
