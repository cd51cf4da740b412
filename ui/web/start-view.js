// Writes the main window as the game's start-up leaves it, from the windows' design (the JSON that
// zentrix_layout_json prints): its controls as markup, and a style sheet that puts them where each
// arrangement has them, under the media query that chooses it. The page then paints the felt, the
// board and its pictures from its HTML and style sheet alone, before any script has run; the page's
// script (js/board.js) takes these controls over as they are. build-site.js puts them in the page.
'use strict';

// The page's own style sheet `css` with the layout's query for windows drawn for a finger written
// in where it names it "(--finger-windows)".
function withWindowsQuery(css, layout) {
    const name = '(--finger-windows)';
    if (!css.includes(name)) {
        throw new Error(`zentrix.css no longer names ${name}`);
    }
    return css.split(name).join(layout.finger.windows);
}

// {markup, style, head, pageLayout}: the controls, their style sheet, what goes into the page's head,
// and the design as the page's script needs it.
function startView(layout) {
    const view = layout.start;

    const px = (n) => `${n}px`;
    const rgb = (c) => `rgb(${c[0]}, ${c[1]}, ${c[2]})`;
    const escape = (text) => String(text).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;')
        .replace(/"/g, '&quot;');
    // The page's name for a picture (picture in js/page.js), and for the markers' picture, in
    // which they stand one above the other from 100 down to 600 (markers there).
    const picture = (number) => `pictures/${number}@2x.webp`;
    const markers = 'pictures/markers@2x.webp';
    const markerRows = layout.markers.map((m) => m.points).sort((a, b) => a - b);
    const font = (f) => `font-family: "${f.family}", "${f.nearest}", sans-serif; font-size: ${px(f.px)}; ` +
        `font-weight: ${f.bold ? 'bold' : 'normal'};`;
    const box = (r) => `left: ${px(r.x)}; top: ${px(r.y)}; width: ${px(r.w)}; height: ${px(r.h)};`;
    const attributes = (pairs) => Object.entries(pairs).filter(([, value]) => value !== false)
        .map(([name, value]) => (value === true ? ` ${name}` : ` ${name}="${escape(value)}"`)).join('');

    // ---- The controls, in the order board.js made them: markers, labels and rings on the felt
    // beneath the rest, then the controls that take the focus, in the window's tab order.
    const desktop = layout.arrangements[layout.arrangements.length - 1];
    const markup = [];
    // The markers' picture after the rack's, each marker showing its own row of it.
    const markerStyle = [];
    layout.markers.forEach((m) => {
        const r = desktop.markers[m.index];
        markup.push(`<img${attributes({id: `marker-${m.index}`, class: 'marker control', alt: String(m.points),
                                       draggable: 'false', src: markers, width: r.w, height: r.h,
                                       fetchpriority: 'low'})}>`);
        const row = markerRows.indexOf(m.points);
        markerStyle.push(`#marker-${m.index} { object-position: 0 ${(100 * row) / (markerRows.length - 1)}%; }`);
    });
    layout.labels.forEach((design, index) => {
        const shown = view.labels[index];
        markup.push(`<div${attributes({id: `label-${index}`, class: 'label control', role: 'status', 'aria-live': 'off',
                                       'aria-label': shown.name})}>${escape(shown.caption)}</div>`);
    });
    layout.slots.forEach((s) => {
        markup.push(`<div${attributes({id: `ring-${s.slot}`, class: 'ring control', hidden: !view.slots[s.slot].selected})}></div>`);
    });

    // The ring a focused ball shows: a light circle with dark dashes on it.
    const ring = layout.focusRing;
    const circle = (colour, dashes) => `<ellipse${attributes({
        cx: ring.circle.x + ring.circle.w / 2, cy: ring.circle.y + ring.circle.h / 2,
        rx: ring.circle.w / 2, ry: ring.circle.h / 2, fill: 'none', stroke: rgb(colour),
        'stroke-width': ring.pen, 'stroke-dasharray': dashes ? `${dashes} ${dashes}` : false})}/>`;
    const focusRing = `<svg class="focus-ring" aria-hidden="true" width="${ring.box}" height="${ring.box}" ` +
        `viewBox="0 0 ${ring.box} ${ring.box}">${circle(ring.light, null)}${circle(ring.dashes, ring.dash)}</svg>`;

    const button = (id, design, inside, disabled) =>
        `<button${attributes({type: 'button', id, class: 'felt-button control', 'aria-label': design.caption, disabled})}>` +
        `${inside}<span>${escape(design.caption)}</span></button>`;
    const stops = layout.codes.tabStops;
    for (const stop of layout.tabStops) {
        if (stop.kind === stops.ball) {
            const slot = view.slots[stop.index];
            markup.push(`<button${attributes({type: 'button', id: `ball-${stop.index}`, class: 'ball control',
                                              'data-slot': stop.index, disabled: !slot.free,
                                              'aria-label': slot.name})}>${focusRing}</button>`);
        } else if (stop.kind === stops.nextBall) {
            // Drawn in the same frame as the rest of the board once it has come, not in a later one.
            const rack = `<img${attributes({alt: '', draggable: 'false', src: picture(layout.nextBall.picture),
                                            width: desktop.rack, height: desktop.rack, decoding: 'sync'})}>`;
            markup.push(button('next-ball', layout.nextBall, rack, false));
        } else if (stop.kind === stops.takeScore) {
            markup.push(button('take-score', layout.score, '', !view.scoreEnabled));
        } else if (stop.kind === stops.progressBar) {
            const design = layout.progress;
            markup.push(`<div${attributes({id: 'progress', class: 'progress control', role: 'progressbar',
                                           'aria-label': design.accessibleName, 'aria-valuemin': design.min,
                                           'aria-valuemax': design.max, 'aria-valuenow': view.progress})}>` +
                        '<div class="progress-fill"></div></div>');
        }
    }

    // ---- The style: what does not change with the arrangement, then each arrangement's places.
    const felt = rgb(layout.felt);
    const finger = layout.finger;
    const style = [
        `:root { --finger: ${px(finger.target)}; --touch-bar: ${px(finger.touchBar)}; ` +
        `--finger-text: ${px(finger.text)}; --menu-title-padding: ${px(finger.menuTitlePadding)}; ` +
        `--menu-width: ${px(finger.menuWidth)}; --help-title-bar: ${px(finger.titleBar)}; ` +
        `--close-box-text: ${px(finger.closeBoxText)}; --message-title-bar: ${px(finger.messageTitleBar)}; ` +
        `--message-width: ${px(finger.messageWidth)}; --message-icon: ${px(finger.messageIcon)}; ` +
        `--button-width: ${px(finger.buttonWidth)}; --screen-margin: ${px(finger.margin)}; ` +
        `--title-sky: ${rgb(finger.sky)}; }`,
        `body, #stage, #board, .felt-button { background: ${felt}; }`,
        `#board { color: ${rgb(layout.text)}; }`,
        `.ring { border-width: ${px(layout.ringPen)}; border-color: ${rgb(layout.ringColour)}; }`,
        // A one-pixel outline drawn this far inside the edge: the offset is to its outer side.
        `.felt-button { border-width: ${px(layout.feltBevel)}; }`,
        `.felt-button:focus { outline-offset: ${px(-layout.feltFocusInset - 1)}; }`,
        `.ball { background-color: ${felt}; background-size: ${px(layout.pictures.ball)} ${px(layout.pictures.ball)}; }`,
        `.progress-fill { width: ${(100 * (view.progress - layout.progress.min)) /
                                   (layout.progress.max - layout.progress.min)}%; }`,
        `#next-ball { ${font(layout.nextBall.font)} }`,
        `#take-score { ${font(layout.score.font)} }`,
        ...markerStyle,
    ];
    layout.labels.forEach((design, index) => {
        style.push(`#label-${index} { ${font(design.font)} text-align: ${design.align}; ` +
                   `background: ${design.felt ? felt : 'transparent'}; }`);
    });
    view.slots.forEach((slot, index) => {
        if (!slot.shown) {
            style.push(`#ball-${index} { visibility: hidden; }`);
        }
        if (slot.occupied) {
            style.push(`#ball-${index} { background-image: url(${picture(slot.value)}); }`);
        }
    });

    // The first arrangement whose query matches is the one in force: written last, it wins. Where the
    // browser can divide lengths, the board is scaled to fit the felt and centred on it as the
    // layout's fitCentred() has it, which the script applies later: the largest scale at which it
    // fits, and the room beside the board's size at that scale, rounded to whole pixels, halved
    // in whole pixels (tests/web/layout-table.test.js holds the two together). Elsewhere it shows
    // once the script has fitted it.
    // Half of a whole number of pixels, as a whole number: a quarter pixel added before it is rounded
    // down keeps a result the browser's arithmetic leaves a hair under a whole pixel from falling
    // to the pixel below.
    const centred = (room, size) => `round(down, (${room} - round(var(${size}) * var(--fit), 1px)) / 2 + 0.25px, 1px)`;
    style.push('@supports (scale: calc(1px / 1px)) { #board { --fit: min(100cqw / var(--w), 100cqh / var(--h)); ' +
               `transform: translate(${centred('100cqw', '--w')}, ${centred('100cqh', '--h')}) scale(var(--fit)); } }`);
    for (const a of [...layout.arrangements].reverse()) {
        const rules = [
            `#board { --w: ${px(a.area.w)}; --h: ${px(a.area.h)}; width: var(--w); height: var(--h); }`,
        ];
        layout.slots.forEach((s) => {
            const b = a.balls[s.slot];
            rules.push(`#ball-${s.slot} { ${box(b)} }`, `#ring-${s.slot} { ${box(a.rings[s.slot])} }`);
        });
        a.markers.forEach((r, index) => rules.push(`#marker-${index} { ${box(r)} }`));
        a.labels.forEach((where, index) => rules.push(`#label-${index} { ${box(where.rect)} font-size: ${px(where.px)}; }`));
        rules.push(`#next-ball { ${box(a.nextBall.rect)} font-size: ${px(a.nextBall.px)}; }`,
                   `#next-ball img { width: ${px(a.rack)}; height: ${px(a.rack)}; }`,
                   `#take-score { ${box(a.score.rect)} font-size: ${px(a.score.px)}; }`,
                   `#progress { ${box(a.progress)} }`);
        style.push(`@media ${a.media} {\n${rules.map((rule) => `    ${rule}`).join('\n')}\n}`);
    }

    // The design as the page's script needs it: what the markup and the style sheet above do not
    // already hold, and of each arrangement only the query that chooses it and its size.
    const forScript = {...layout};
    for (const drawn of ['felt', 'ringColour', 'text', 'ringPen', 'focusRing', 'slots', 'labels', 'score', 'tabStops']) {
        delete forScript[drawn];
    }
    return {
        markup: `\n${markup.join('\n')}\n`,
        style: `\n${style.join('\n')}\n`,
        // The largest picture of the start, asked for from the page's head before anything else.
        head: `<link${attributes({rel: 'preload', href: picture(layout.nextBall.picture), as: 'image',
                                  fetchpriority: 'high'})}>\n`,
        pageLayout: {...forScript, arrangements: layout.arrangements.map(({name, media, area}) => ({name, media, area}))},
    };
}

module.exports = {startView, withWindowsQuery};
