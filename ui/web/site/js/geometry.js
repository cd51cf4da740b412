// The layout's own code for what the page works out at the size it is shown at: the board fitted
// to the felt, the room a window over the game may take, and About and Rules laid out for a
// finger. A very small module of its own (ui/web/layout_module.cpp), fetched by its name and
// digest (LAYOUT_WASM and LAYOUT_WASM_INTEGRITY, which the build writes in)
// and compiled only if it is that very file; the page's script waits for it, after the page's first
// paint, before it takes the window over. Here the answers are only read.

let exports = null;
let answer = null;

// Asks for the module; resolves once it is ready, rejects if it cannot be had. Asked for once the page
// has been painted, as the game's module is, so as to take nothing from its pictures.
export function load() {
    return fetch(LAYOUT_WASM, {credentials: 'same-origin', integrity: LAYOUT_WASM_INTEGRITY})
        .then((response) => {
            if (!response.ok) {
                throw new Error(`${response.url}: ${response.status} ${response.statusText}`);
            }
            return response.arrayBuffer();
        })
        .then((bytes) => WebAssembly.instantiate(bytes, {
            wasi_snapshot_preview1: {proc_exit: (code) => { throw new Error(`The layout stopped (${code})`); }},
        }))
        .then(({instance}) => {
            exports = instance.exports;
            exports._initialize();
            answer = new Float64Array(exports.memory.buffer, exports.zl_answer(), 14);
        });
}

const rect = (at) => ({x: answer[at], y: answer[at + 1], w: answer[at + 2], h: answer[at + 3]});
const whole = (n) => Math.floor(n);

// A design of `area` ({w, h}) as large as it fits in `width` x `height` and centred: {scale, left, top}.
export function fit(width, height, area) {
    exports.zl_fit(whole(width), whole(height), area.w, area.h);
    return {scale: answer[0], left: answer[1], top: answer[2]};
}

// The room a window over the game may take in `width` x `height`, frame and all: {width, height}.
export function windowRoom(width, height) {
    exports.zl_window_room(whole(width), whole(height));
    return {width: answer[0], height: answer[1]};
}

// The room a help window's client area may take for a finger in `width` x `height`, beneath `above`
// pixels and inside a frame `frame` pixels wide: {width, height}.
export function helpWindowRoom(width, height, above, frame) {
    exports.zl_help_room(whole(width), whole(height), Math.ceil(above), Math.ceil(frame));
    return {width: answer[0], height: answer[1]};
}

// About for a finger within `room`: {client, ok, pictureScale}.
export function aboutForFinger(room) {
    exports.zl_about(room.width, room.height);
    return {client: rect(0), ok: rect(4), pictureScale: answer[8]};
}

// Rules for a finger within `room`, its text `textHeight` high at most:
// {client, textBox, closeBox, pictureScale, pictureLeft}.
export function rulesForFinger(room, textHeight) {
    exports.zl_rules(room.width, room.height, Math.ceil(textHeight));
    return {client: rect(0), textBox: rect(4), closeBox: rect(8), pictureScale: answer[12], pictureLeft: answer[13]};
}
