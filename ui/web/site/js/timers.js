// The game's two timers. Each runs on setTimeout against the wall clock. A late countdown (a
// throttled or hidden tab) delivers every tick it owes as soon as it runs again, so the round has
// used up the time that passed; the refresh only shows the state and delivers one.
import * as Gate from './gate.js';
import {codes, speed} from './page.js';

const timers = {};
const now = () => performance.now();

export function start(timer, interval) {
    stop(timer);
    const state = {interval: interval / speed, due: 0, handle: 0};
    state.due = now() + state.interval;
    timers[timer] = state;
    schedule(timer, state);
}

export function stop(timer) {
    const state = timers[timer];
    if (state) {
        clearTimeout(state.handle);
        timers[timer] = null;
    }
}

function schedule(timer, state) {
    state.handle = setTimeout(() => due(timer, state), Math.max(0, state.due - now()));
}

function due(timer, state) {
    while (timers[timer] === state && !Gate.hasEnded() && now() >= state.due) {
        state.due += state.interval;
        if (timer !== codes.timers.countdown && now() >= state.due) {
            state.due = now() + state.interval;
        }
        Gate.call('zx_timer', [timer]);
    }
    if (timers[timer] === state) {
        clearTimeout(state.handle);
        schedule(timer, state);
    }
}

document.addEventListener('visibilitychange', () => {
    const countdown = codes.timers.countdown;
    if (document.visibilityState === 'visible' && timers[countdown]) {
        const state = timers[countdown];
        clearTimeout(state.handle);
        due(countdown, state);
    }
});
