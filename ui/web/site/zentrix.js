// The web page's side of the game: it builds the window's controls from the layout the game
// exports, applies what the game's controller decides to them, runs the two timers, and shows
// the message boxes and the About and Rules windows. Every rule, text and position comes from
// the game: its layout, written when the site is built and carried in the page, and the
// WebAssembly module (zentrix-wasm.js); nothing of the game is decided here.
'use strict';

(() => {
    const params = new URLSearchParams(location.search);
    // For the page's tests only: a fixed deal, and the clock run faster.
    const seed = params.get('seed');
    const speed = Math.max(1, Number(params.get('speed')) || 1);

    // The browser's keys the game gives a meaning to, by the controller's names.
    const KEYS = {ArrowUp: 'up', ArrowDown: 'down', ArrowLeft: 'left', ArrowRight: 'right',
                  ' ': 'activate', Enter: 'activate', Spacebar: 'activate'};
    // A message box's icon by its style's name.
    const MESSAGE_ICONS = {critical: '\u00d7', question: '?', exclamation: '!', information: 'i'};

    // The windows' design and the window as the game's start-up leaves it, carried in the page
    // so that the window shows before the module has loaded.
    const layout = JSON.parse(document.getElementById('zentrix-layout').textContent);
    // The numbers the game's entry points take, from the game itself.
    const codes = layout.codes;
    // False until the module has loaded and the game has started: until then the page holds
    // back input as while a message box is open.
    let ready = false;
    // True while a step of the game is suspended at a message box: the module admits no other
    // call then, so the page holds back ticks and input until it has finished.
    let suspended = false;
    let calling = false;
    let ended = false;
    // Set while the game itself moves the focus, so that the move is not reported back.
    let focusing = false;

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

    // ---- Calls into the game ----

    // Runs one entry point of the module. A call that reaches a message box returns a promise
    // and leaves the page suspended until the player has closed the box and the step has run
    // to its end. Returns the entry point's result, or undefined when the call was held.
    function call(name, args = []) {
        // Nor does a call enter while another runs: what the page does on the game's orders (a
        // focus moved, a window closed) is the game's own doing and need not be told back.
        if (!ready || suspended || ended || calling) {
            return undefined;
        }
        calling = true;
        let result;
        try {
            // Without the async option ccall answers at once, unless the call was suspended.
            result = Module.ccall(name, 'number', args.map(() => 'number'), args);
        } finally {
            calling = false;
        }
        if (result instanceof Promise) {
            suspended = true;
            result.then(() => { suspended = false; }, fail);
            return true;
        }
        return result;
    }

    function fail(error) {
        ended = true;
        console.error(error);
    }

    // ---- Building the window from the layout ----

    const px = (n) => `${n}px`;
    const SVG = 'http://www.w3.org/2000/svg';
    const rgb = (c) => `rgb(${c[0]}, ${c[1]}, ${c[2]})`;

    // Puts `element` at rectangle `r` of its window's design.
    function setBox(element, r) {
        element.style.left = px(r.x);
        element.style.top = px(r.y);
        element.style.width = px(r.w);
        element.style.height = px(r.h);
    }

    // A control of the main window at rectangle `r` of the design.
    function place(element, r) {
        element.classList.add('control');
        setBox(element, r);
    }

    function setFont(element, font) {
        element.style.fontFamily = `"${font.family}", "${font.nearest}", sans-serif`;
        element.style.fontSize = px(font.px);
        element.style.fontWeight = font.bold ? 'bold' : 'normal';
    }

    function picture(number) {
        return `pictures/${number}@2x.png`;
    }

    function buildBoard() {
        board.style.width = px(layout.required.w);
        board.style.height = px(layout.required.h);
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
            place(img, m.rect);
            markers[m.index] = img;
            board.append(img);
        }
        for (const design of layout.labels) {
            const label = document.createElement('div');
            label.className = 'label';
            label.setAttribute('role', 'status');
            label.setAttribute('aria-live', 'off');
            label.setAttribute('aria-label', design.accessibleName);
            label.dataset.name = design.name;
            place(label, design.rect);
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
            // The pen is centred on the ring's circle: half of it lies outside.
            const half = layout.ringPen / 2;
            place(ring, {x: s.ring.x - half, y: s.ring.y - half, w: s.ring.w + layout.ringPen,
                         h: s.ring.h + layout.ringPen});
            ring.style.borderWidth = px(layout.ringPen);
            ring.style.borderColor = rgb(layout.ringColour);
            rings[s.slot] = ring;
            board.append(ring);
        }

        // Controls that take the focus, made in the window's tab order.
        const bySlotName = new Map(layout.slots.map((s) => [s.name, s]));
        for (const name of layout.tabOrder) {
            if (bySlotName.has(name)) {
                board.append(makeBall(bySlotName.get(name)));
            } else if (name === layout.nextBall.name) {
                nextButton = makeButton(layout.nextBall,
                                        (event) => call('zx_button', [codes.buttons.nextBall, clicks(event)]));
                rackPicture = document.createElement('img');
                rackPicture.alt = '';
                rackPicture.width = layout.pictures.rackSize;
                rackPicture.height = layout.pictures.rackSize;
                rackPicture.draggable = false;
                nextButton.prepend(rackPicture);
                board.append(nextButton);
            } else if (name === layout.score.name) {
                scoreButton = makeButton(layout.score,
                                         (event) => call('zx_button', [codes.buttons.takeScore, clicks(event)]));
                board.append(scoreButton);
            } else if (name === layout.progress.name) {
                board.append(makeProgress());
            }
        }
    }

    // A click's count of quick clicks in a row, as the game takes it: a click the browser makes
    // for another reason (a screen reader's) counts as one.
    function clicks(event) {
        return Math.max(1, event.detail || 0);
    }

    function makeBall(s) {
        const ball = document.createElement('button');
        ball.type = 'button';
        ball.className = 'ball';
        ball.dataset.slot = String(s.slot);
        place(ball, s.box);
        ball.style.backgroundColor = rgb(layout.felt);
        ball.style.backgroundSize = `${px(layout.pictures.ball)} ${px(layout.pictures.ball)}`;
        ball.disabled = true;
        ball.append(focusRing());
        ball.addEventListener('click', (event) => call('zx_ball', [s.slot, clicks(event)]));
        slots[s.slot] = ball;
        return ball;
    }

    // The ring a focused ball shows: a light circle with dark dashes on it, shown by the style
    // sheet while its ball has the focus.
    function focusRing() {
        const ring = layout.focusRing;
        const svg = document.createElementNS(SVG, 'svg');
        svg.setAttribute('class', 'focus-ring');
        svg.setAttribute('aria-hidden', 'true');
        svg.setAttribute('width', String(ring.box));
        svg.setAttribute('height', String(ring.box));
        svg.setAttribute('viewBox', `0 0 ${ring.box} ${ring.box}`);
        for (const [colour, dashes] of [[ring.light, null], [ring.dashes, ring.dash]]) {
            const circle = document.createElementNS(SVG, 'ellipse');
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

    function makeButton(design, pressed) {
        const button = document.createElement('button');
        button.type = 'button';
        button.className = 'felt-button';
        button.setAttribute('aria-label', design.caption);
        place(button, design.rect);
        setFont(button, design.font);
        button.style.background = rgb(layout.felt);
        const caption = document.createElement('span');
        caption.textContent = design.caption;
        button.append(caption);
        button.addEventListener('click', pressed);
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
        place(progress, design.rect);
        progressFill = document.createElement('div');
        progressFill.className = 'progress-fill';
        progressFill.style.width = '0%';
        progress.append(progressFill);
        return progress;
    }

    // The board scaled as one piece to the largest size that fits, centred on the felt.
    function fit() {
        const width = stage.clientWidth;
        const height = stage.clientHeight;
        const scale = Math.min(width / layout.required.w, height / layout.required.h);
        if (!(scale > 0)) {
            return;
        }
        const left = (width - layout.required.w * scale) / 2;
        const top = (height - layout.required.h * scale) / 2;
        board.style.transform = `translate(${left}px, ${top}px) scale(${scale})`;
        for (const w of helpWindows.values()) {
            fitWindow(w);
        }
    }

    // ---- The menu bar ----

    function buildMenus() {
        const menubar = document.getElementById('menubar');
        const titles = [];
        const close = () => {
            for (const t of titles) {
                t.setAttribute('aria-expanded', 'false');
                t.menu.hidden = true;
            }
        };
        const open = (title, focusItem) => {
            close();
            title.setAttribute('aria-expanded', 'true');
            title.menu.hidden = false;
            if (focusItem !== undefined) {
                const items = title.menu.querySelectorAll('[role="menuitem"]');
                items[(focusItem + items.length) % items.length].focus();
            }
        };
        layout.menus.forEach((design, index) => {
            const anchor = document.createElement('div');
            anchor.className = 'menu-anchor';
            anchor.setAttribute('role', 'none');
            const title = document.createElement('button');
            title.type = 'button';
            title.className = 'menu-title';
            title.id = `menu-${design.name}`;
            title.setAttribute('role', 'menuitem');
            title.setAttribute('aria-haspopup', 'menu');
            title.setAttribute('aria-expanded', 'false');
            title.tabIndex = index === 0 ? 0 : -1;
            title.textContent = design.caption;
            const menu = document.createElement('div');
            menu.className = 'menu';
            menu.setAttribute('role', 'menu');
            menu.setAttribute('aria-labelledby', title.id);
            menu.hidden = true;
            title.menu = menu;
            design.items.forEach((itemDesign, itemIndex) => {
                const item = document.createElement('button');
                item.type = 'button';
                item.className = 'menu-item';
                item.setAttribute('role', 'menuitem');
                item.tabIndex = -1;
                item.textContent = itemDesign.caption;
                const choose = () => {
                    close();
                    restoreFocus();
                    call('zx_menu', [itemDesign.command]);
                };
                item.addEventListener('click', choose);
                item.addEventListener('keydown', (event) => {
                    const count = design.items.length;
                    if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
                        open(title, itemIndex + (event.key === 'ArrowDown' ? 1 : count - 1));
                    } else if (event.key === 'ArrowRight' || event.key === 'ArrowLeft') {
                        const step = event.key === 'ArrowRight' ? 1 : titles.length - 1;
                        const next = titles[(index + step) % titles.length];
                        next.focus();
                        open(next, 0);
                    } else if (event.key === 'Escape') {
                        close();
                        title.focus();
                    } else if (event.key === 'Enter' || event.key === ' ') {
                        choose();
                    } else if (event.key === 'Tab') {
                        close();
                        return;
                    } else {
                        return;
                    }
                    event.preventDefault();
                    event.stopPropagation();
                });
                menu.append(item);
            });
            title.addEventListener('click', () => {
                if (title.getAttribute('aria-expanded') === 'true') {
                    close();
                } else {
                    open(title);
                }
            });
            title.addEventListener('keydown', (event) => {
                if (event.key === 'ArrowDown' || event.key === 'Enter' || event.key === ' ') {
                    open(title, 0);
                } else if (event.key === 'ArrowUp') {
                    open(title, -1);
                } else if (event.key === 'ArrowRight' || event.key === 'ArrowLeft') {
                    const step = event.key === 'ArrowRight' ? 1 : titles.length - 1;
                    const next = titles[(index + step) % titles.length];
                    for (const t of titles) {
                        t.tabIndex = t === next ? 0 : -1;
                    }
                    next.focus();
                    if (title.getAttribute('aria-expanded') === 'true') {
                        open(next);
                    }
                } else if (event.key === 'Escape') {
                    close();
                    restoreFocus();
                } else {
                    return;
                }
                event.preventDefault();
                event.stopPropagation();
            });
            // Moving the mouse across the bar while a menu is open opens the one beneath it.
            title.addEventListener('pointerenter', () => {
                if (titles.some((t) => t.getAttribute('aria-expanded') === 'true')) {
                    open(title);
                }
            });
            titles.push(title);
            anchor.append(title, menu);
            menubar.append(anchor);
        });
        document.addEventListener('pointerdown', (event) => {
            if (!menubar.contains(event.target)) {
                close();
            }
        });
        menubar.addEventListener('focusout', (event) => {
            if (!menubar.contains(event.relatedTarget)) {
                close();
            }
        });
        return titles;
    }

    // The game control that had the focus before the menus took it, to go back to.
    let lastGameFocus = null;
    function restoreFocus() {
        if (lastGameFocus && lastGameFocus.isConnected && !lastGameFocus.disabled) {
            lastGameFocus.focus();
        }
    }

    // ---- Timers ----
    //
    // Each runs on setTimeout against the wall clock. A late countdown (a throttled or hidden
    // tab) delivers every tick it owes as soon as it runs again, so the round has used up the
    // time that passed; the refresh only shows the state and delivers one.
    const timers = {};
    const now = () => performance.now();

    function startTimer(timer, interval) {
        stopTimer(timer);
        const state = {interval: interval / speed, due: 0, handle: 0};
        state.due = now() + state.interval;
        timers[timer] = state;
        schedule(timer, state);
    }

    function stopTimer(timer) {
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
        while (timers[timer] === state && !suspended && !ended && now() >= state.due) {
            state.due += state.interval;
            if (timer !== codes.timers.countdown && now() >= state.due) {
                state.due = now() + state.interval;
            }
            call('zx_timer', [timer]);
        }
        if (timers[timer] === state) {
            if (suspended) {
                state.due = Math.max(state.due, now() + state.interval);
            }
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

    // ---- Message boxes ----

    function showMessage(text, title, style) {
        return new Promise((resolve) => {
            const before = document.activeElement;
            const backdrop = document.createElement('div');
            backdrop.className = 'modal-backdrop';
            const box = document.createElement('div');
            box.className = 'window message-box';
            box.setAttribute('role', 'alertdialog');
            box.setAttribute('aria-modal', 'true');
            const id = `message-${Date.now()}`;
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
            const kind = Object.keys(codes.messageStyles).find((k) => codes.messageStyles[k] === style) ||
                         'information';
            const glyph = MESSAGE_ICONS[kind];
            const icon = document.createElement('div');
            icon.className = `message-icon ${kind}`;
            icon.setAttribute('aria-hidden', 'true');
            icon.textContent = glyph;
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
            document.body.append(backdrop);
            const closeBox = () => {
                backdrop.remove();
                if (before && before.isConnected && typeof before.focus === 'function') {
                    before.focus({preventScroll: true});
                }
                resolve();
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
        });
    }

    // ---- About and Rules ----

    const helpWindows = new Map();  // 0 About, 1 Rules
    let cascade = 0;

    function fitWindow(w) {
        const width = w.offsetWidth;
        const height = w.offsetHeight;
        const scale = Math.min(1, (innerWidth - 8) / width, (innerHeight - 8) / height);
        const left = Math.min(Math.max(4, w.left), Math.max(4, innerWidth - width * scale - 4));
        const top = Math.min(Math.max(4, w.top), Math.max(4, innerHeight - height * scale - 4));
        w.style.left = px(left);
        w.style.top = px(top);
        w.style.transform = scale < 1 ? `scale(${scale})` : '';
    }

    // The window to the front: the help windows keep the stacking levels 101 and up, under the
    // menus and the message boxes.
    function raise(w) {
        const order = [...helpWindows.values()].filter((other) => other !== w);
        order.sort((a, b) => Number(a.style.zIndex) - Number(b.style.zIndex));
        order.push(w);
        order.forEach((other, i) => { other.style.zIndex = String(101 + i); });
    }

    function makeHelpWindow(which) {
        const design = which === codes.help.about ? layout.about : layout.rules;
        const w = document.createElement('section');
        w.className = 'window help-window';
        w.setAttribute('role', 'dialog');
        w.setAttribute('aria-modal', 'false');
        const headingId = `help-${which}-title`;
        w.setAttribute('aria-labelledby', headingId);
        const bar = document.createElement('div');
        bar.className = 'title-bar';
        const heading = document.createElement('h2');
        heading.id = headingId;
        heading.textContent = design.caption;
        const closeBox = document.createElement('button');
        closeBox.type = 'button';
        closeBox.className = 'close-box';
        closeBox.setAttribute('aria-label', 'Close');
        closeBox.textContent = '\u00d7';
        closeBox.addEventListener('click', () => closeHelp(which));
        bar.append(heading, closeBox);
        const client = document.createElement('div');
        client.className = 'help-client';
        client.style.width = px(design.client.w);
        client.style.height = px(design.client.h);
        client.style.backgroundImage = 'url(pictures/title.jpg)';
        client.style.backgroundSize = `${px(layout.pictures.titleWidth)} ${px(layout.pictures.titleHeight)}`;
        if (which === codes.help.about) {
            const ok = document.createElement('button');
            ok.type = 'button';
            ok.className = 'about-ok';
            ok.textContent = design.okCaption;
            setBox(ok, design.ok);
            setFont(ok, design.font);
            ok.style.backgroundImage = 'url(pictures/title.jpg)';
            ok.addEventListener('click', () => closeHelp(which));
            client.append(ok);
            w.focusTarget = ok;
        } else {
            const text = document.createElement('textarea');
            text.readOnly = true;
            text.setAttribute('aria-label', design.caption);
            text.value = design.text;
            setBox(text, design.textBox);
            setFont(text, design.font);
            client.append(text);
            w.focusTarget = text;
        }
        w.append(bar, client);
        w.addEventListener('pointerdown', () => raise(w));
        dragBy(bar, w);
        w.left = 24 + 24 * cascade;
        w.top = 40 + 24 * cascade;
        cascade = (cascade + 1) % 6;
        return w;
    }

    function dragBy(handle, w) {
        handle.addEventListener('pointerdown', (event) => {
            if (event.target !== handle && event.target.tagName !== 'H2') {
                return;
            }
            const startX = event.clientX - w.left;
            const startY = event.clientY - w.top;
            handle.setPointerCapture(event.pointerId);
            const move = (e) => {
                w.left = e.clientX - startX;
                w.top = e.clientY - startY;
                fitWindow(w);
            };
            const up = () => {
                handle.removeEventListener('pointermove', move);
                handle.removeEventListener('pointerup', up);
            };
            handle.addEventListener('pointermove', move);
            handle.addEventListener('pointerup', up);
        });
    }

    function showHelp(which) {
        let w = helpWindows.get(which);
        const fresh = !w;
        if (!w) {
            w = makeHelpWindow(which);
            helpWindows.set(which, w);
            document.getElementById('windows').append(w);
        }
        raise(w);
        fitWindow(w);
        if (fresh && w.focusTarget.tagName === 'TEXTAREA') {
            // A new Rules window starts at its first line, with the caret there.
            w.focusTarget.setSelectionRange(0, 0);
            w.focusTarget.scrollTop = 0;
        }
        w.focusTarget.focus({preventScroll: true});
    }

    function closeHelp(which) {
        const w = helpWindows.get(which);
        if (w) {
            const hadFocus = w.contains(document.activeElement);
            w.remove();
            helpWindows.delete(which);
            if (hadFocus) {
                restoreFocus();
            }
        }
    }

    // ---- The port: what the game's controller asks of the page ----

    function focusKindOf(element) {
        if (!element) {
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

    window.zentrixPort = {
        prepareControls() {
            markers.forEach((img, index) => { img.src = picture(layout.markers[index].points); });
            rackPicture.src = picture(layout.nextBall.picture);
            for (const ball of slots) {
                ball.disabled = true;
            }
        },
        showWindow() {
            if (!board.hidden) {
                return;
            }
            document.getElementById('loading').remove();
            board.hidden = false;
            fit();
            // For the benchmark: the first frame of the board, and the one with all its pictures.
            requestAnimationFrame(() => performance.mark('zentrix-board'));
            Promise.all([...markers, rackPicture].map((img) => img.decode().catch(() => {})))
                .then(() => requestAnimationFrame(() => performance.mark('zentrix-pictures')));
        },
        applySlot(slot, view) {
            const ball = slots[slot];
            ball.style.visibility = view.shown ? '' : 'hidden';
            ball.disabled = !view.free;
            ball.style.backgroundImage = view.occupied ? `url(${picture(view.value)})` : 'none';
            ball.setAttribute('aria-label', view.name);
            rings[slot].hidden = !view.selected;
        },
        applyLabel(index, caption, name) {
            labels[index].textContent = caption;
            labels[index].setAttribute('aria-label', name);
        },
        applyProgress(value) {
            progress.setAttribute('aria-valuenow', String(value));
            progressFill.style.width = `${(100 * (value - layout.progress.min)) /
                                          (layout.progress.max - layout.progress.min)}%`;
        },
        applyScoreEnabled(enabled) {
            scoreButton.disabled = !enabled;
        },
        startTimer,
        stopTimer,
        showMessage,
        moveFocus(kind, slot) {
            const target = kind === codes.focus.ball ? slots[slot]
                         : kind === codes.focus.nextBall ? nextButton
                         : kind === codes.focus.takeScore ? scoreButton : null;
            if (target && document.activeElement !== target) {
                focusing = true;
                target.focus({preventScroll: true});
                focusing = false;
            }
            lastGameFocus = target;
        },
        showHelp,
        closeHelpWindows() {
            for (const which of [...helpWindows.keys()]) {
                closeHelp(which);
            }
        },
        ended() {
            // The game has stopped both timers already.
            ended = true;
        },
    };

    // ---- Input ----

    let altAlone = false;
    function wireInput(menuTitles) {
        board.addEventListener('focusin', (event) => {
            const focus = focusKindOf(event.target);
            if (focus) {
                lastGameFocus = event.target;
                if (!focusing) {
                    call('zx_focus', focus);
                }
            }
        });
        document.addEventListener('keydown', (event) => {
            if (event.key === 'F11') {
                event.preventDefault();
                toggleFullScreen();
                return;
            }
            altAlone = event.key === 'Alt';
            if (event.key === 'F10') {
                event.preventDefault();
                menuTitles[0].focus();
                return;
            }
            const key = KEYS[event.key];
            if (key === undefined || event.altKey || event.ctrlKey || event.metaKey) {
                return;
            }
            if (!focusKindOf(document.activeElement) || !board.contains(document.activeElement)) {
                return;
            }
            // The game's controls answer these keys through the game, never natively.
            event.preventDefault();
            call('zx_key', [codes.keys[key], event.repeat ? 1 : 0]);
        });
        document.addEventListener('keyup', (event) => {
            // Alt pressed and released alone opens the menu bar, as on the desktop.
            if (event.key === 'Alt' && altAlone) {
                altAlone = false;
                event.preventDefault();
                menuTitles[0].focus();
                return;
            }
            if (KEYS[event.key] === 'activate' && focusKindOf(document.activeElement)) {
                event.preventDefault();  // a Space released on a button must not press it again
            }
        });
        document.getElementById('full-screen').addEventListener('click', toggleFullScreen);
        addEventListener('resize', fit);
        // Leaving the page ends the game, unless the browser keeps the page to come back to.
        addEventListener('pagehide', (event) => {
            if (!event.persisted) {
                call('zx_shut_down');
            }
        });
    }

    function toggleFullScreen() {
        if (document.fullscreenElement) {
            document.exitFullscreen().catch(() => {});
        } else if (document.documentElement.requestFullscreen) {
            document.documentElement.requestFullscreen().catch(() => {});
        }
    }

    // ---- Start ----

    // The window at once, as the game's start-up will leave it: built, dressed and shown as the
    // game's port does it, before the module has loaded.
    function show() {
        document.title = layout.caption;
        buildBoard();
        wireInput(buildMenus());
        const view = layout.start;
        zentrixPort.prepareControls();
        zentrixPort.showWindow();
        zentrixPort.moveFocus(view.focus.kind, view.focus.slot);
        view.slots.forEach((slot, index) => zentrixPort.applySlot(index, slot));
        view.labels.forEach((label, index) => zentrixPort.applyLabel(index, label.caption, label.name));
        zentrixPort.applyProgress(view.progress);
        zentrixPort.applyScoreEnabled(view.scoreEnabled);
    }

    // The module has loaded: the game starts, and its start-up applies its own view.
    function start() {
        ready = true;
        stage.setAttribute('aria-busy', 'false');
        const seeded = seed !== null && /^\d+$/.test(seed);
        const ratio = devicePixelRatio || 1;
        call('zx_start', [seeded ? 1 : 0, seeded ? Number(seed) >>> 0 : 0,
                          Math.round(screen.width * ratio), Math.round(screen.height * ratio),
                          screen.colorDepth || 24]);
    }

    show();

    // The module's script comes next in the page and starts the game when it is ready.
    window.Module = {
        onRuntimeInitialized: start,
        onAbort: (what) => fail(new Error(`The game stopped: ${what}`)),
    };

    if ('serviceWorker' in navigator && location.protocol !== 'file:') {
        addEventListener('load', () => {
            navigator.serviceWorker.register('sw.js').catch((error) => console.warn(error));
        });
    }
})();
