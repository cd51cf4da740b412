// The board: the main window's controls built from the layout, arranged for the screen (the form
// as designed, or made for a finger on a phone held either way), and scaled as one piece to the
// largest size that fits the felt.
const Board = (() => {
    const {layout, codes, px, rgb, setBox, setFont} = Page;
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
    // The arrangement in force, and the media queries that choose one.
    let arrangement = null;
    const queries = layout.arrangements.map((a) => matchMedia(a.media));

    // A control of the main window, placed by arrange().
    function place(element) {
        element.classList.add('control');
    }

    function build() {
        board.style.background = rgb(layout.felt);
        board.style.color = rgb(layout.text);
        stage.style.background = rgb(layout.felt);
        document.body.style.background = rgb(layout.felt);

        // Windowless controls first: markers, labels and rings lie on the felt beneath the rest.
        for (const m of layout.markers) {
            const img = document.createElement('img');
            img.className = 'marker';
            img.alt = String(m.points);
            img.draggable = false;
            place(img);
            markers[m.index] = img;
            board.append(img);
        }
        for (const design of layout.labels) {
            const label = document.createElement('div');
            label.className = 'label';
            label.setAttribute('role', 'status');
            label.setAttribute('aria-live', 'off');
            label.setAttribute('aria-label', design.accessibleName);
            place(label);
            setFont(label, design.font);
            label.style.textAlign = design.align;
            label.style.background = design.felt ? rgb(layout.felt) : 'transparent';
            label.textContent = design.caption;
            labels.push(label);
            board.append(label);
        }
        for (const s of layout.slots) {
            const ring = document.createElement('div');
            ring.className = 'ring';
            ring.hidden = true;
            place(ring);
            ring.style.borderWidth = px(layout.ringPen);
            ring.style.borderColor = rgb(layout.ringColour);
            rings[s.slot] = ring;
            board.append(ring);
        }

        // Controls that take the focus, made in the window's tab order.
        const stops = codes.tabStops;
        for (const stop of layout.tabStops) {
            if (stop.kind === stops.ball) {
                board.append(makeBall(layout.slots[stop.index]));
            } else if (stop.kind === stops.nextBall) {
                nextButton = makeButton(layout.nextBall, codes.buttons.nextBall);
                rackPicture = document.createElement('img');
                rackPicture.alt = '';
                rackPicture.draggable = false;
                nextButton.prepend(rackPicture);
                board.append(nextButton);
            } else if (stop.kind === stops.takeScore) {
                scoreButton = makeButton(layout.score, codes.buttons.takeScore);
                board.append(scoreButton);
            } else if (stop.kind === stops.progressBar) {
                board.append(makeProgress());
            }
        }
    }

    // A ball's ring at its box's top-left corner. The pen is centred on the ring's circle: half of
    // it lies outside.
    function ringAround(s, box) {
        const half = layout.ringPen / 2;
        return {x: box.x - half, y: box.y - half, w: s.ring.w + layout.ringPen,
                h: s.ring.h + layout.ringPen};
    }

    function makeBall(s) {
        const ball = document.createElement('button');
        ball.type = 'button';
        ball.className = 'ball';
        ball.dataset.slot = String(s.slot);
        place(ball);
        ball.style.backgroundColor = rgb(layout.felt);
        ball.style.backgroundSize = `${px(layout.pictures.ball)} ${px(layout.pictures.ball)}`;
        ball.disabled = true;
        ball.append(focusRing());
        ball.addEventListener('click',
                              (event) => Gate.call('zx_ball', [s.slot, Page.clicks(event)]));
        slots[s.slot] = ball;
        return ball;
    }

    // The ring a focused ball shows: a light circle with dark dashes on it, shown by the style
    // sheet while its ball has the focus.
    function focusRing() {
        const ring = layout.focusRing;
        const svg = document.createElementNS(Page.SVG, 'svg');
        svg.setAttribute('class', 'focus-ring');
        svg.setAttribute('aria-hidden', 'true');
        svg.setAttribute('width', String(ring.box));
        svg.setAttribute('height', String(ring.box));
        svg.setAttribute('viewBox', `0 0 ${ring.box} ${ring.box}`);
        for (const [colour, dashes] of [[ring.light, null], [ring.dashes, ring.dash]]) {
            const circle = document.createElementNS(Page.SVG, 'ellipse');
            circle.setAttribute('cx', String(ring.circle.x + ring.circle.w / 2));
            circle.setAttribute('cy', String(ring.circle.y + ring.circle.h / 2));
            circle.setAttribute('rx', String(ring.circle.w / 2));
            circle.setAttribute('ry', String(ring.circle.h / 2));
            circle.setAttribute('fill', 'none');
            circle.setAttribute('stroke', rgb(colour));
            circle.setAttribute('stroke-width', String(ring.pen));
            if (dashes) {
                circle.setAttribute('stroke-dasharray', `${dashes} ${dashes}`);
            }
            svg.append(circle);
        }
        return svg;
    }

    function makeButton(design, code) {
        const button = document.createElement('button');
        button.type = 'button';
        button.className = 'felt-button';
        button.setAttribute('aria-label', design.caption);
        place(button);
        setFont(button, design.font);
        button.style.background = rgb(layout.felt);
        const caption = document.createElement('span');
        caption.textContent = design.caption;
        button.append(caption);
        button.addEventListener('click',
                                (event) => Gate.call('zx_button', [code, Page.clicks(event)]));
        return button;
    }

    function makeProgress() {
        const design = layout.progress;
        progress = document.createElement('div');
        progress.className = 'progress';
        progress.setAttribute('role', 'progressbar');
        progress.setAttribute('aria-label', design.accessibleName);
        progress.setAttribute('aria-valuemin', String(design.min));
        progress.setAttribute('aria-valuemax', String(design.max));
        progress.setAttribute('aria-valuenow', String(design.min));
        place(progress);
        progressFill = document.createElement('div');
        progressFill.className = 'progress-fill';
        progressFill.style.width = '0%';
        progress.append(progressFill);
        return progress;
    }

    // Every control where the arrangement for this screen puts it: the first whose media query
    // matches (the form as designed matches every screen), whenever the board is fitted again:
    // the page's size changes as the phone turns, and the pointer may change. Only a change of
    // arrangement moves anything.
    function arrange() {
        const chosen = layout.arrangements[queries.findIndex((query) => query.matches)];
        if (chosen === arrangement) {
            return;
        }
        arrangement = chosen;
        board.style.width = px(chosen.area.w);
        board.style.height = px(chosen.area.h);
        layout.slots.forEach((s) => {
            setBox(slots[s.slot], chosen.balls[s.slot]);
            setBox(rings[s.slot], ringAround(s, chosen.balls[s.slot]));
        });
        chosen.markers.forEach((r, index) => setBox(markers[index], r));
        chosen.labels.forEach((where, index) => {
            setBox(labels[index], where.rect);
            labels[index].style.fontSize = px(where.px);
        });
        for (const [button, where] of [[nextButton, chosen.nextBall], [scoreButton, chosen.score]]) {
            setBox(button, where.rect);
            button.style.fontSize = px(where.px);
        }
        rackPicture.width = chosen.rack;
        rackPicture.height = chosen.rack;
        setBox(progress, chosen.progress);
    }

    // The board arranged for the screen and scaled as one piece to the largest size that fits,
    // centred on the felt; the windows over it follow its scale.
    function fit() {
        arrange();
        const width = stage.clientWidth;
        const height = stage.clientHeight;
        const area = arrangement.area;
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
