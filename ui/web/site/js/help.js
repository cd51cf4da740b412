// About and Rules: in-page windows over the game, which goes on; dragged by their title bars.
const Help = (() => {
    const {layout, codes, px, setBox, setFont} = Page;
    const windows = new Map();  // by the game's number: About, Rules
    let cascade = 0;

    const clamp = (value, low, high) => Math.max(low, Math.min(value, high));

    // The title picture at the size the window shows it: twice as sharp where a window pixel
    // takes more than one of the screen's. The page has only its top, all a help window shows
    // (tools/draw-pictures), as wide as the picture and as high as that top is.
    function titlePicture(scale) {
        return devicePixelRatio * scale > 1 ? 'url(pictures/title-top@2x.jpg)' : 'url(pictures/title-top.jpg)';
    }

    // The window at the board's scale, or smaller where it would not fit the viewport beneath
    // the menu bar, and kept inside that area: its title bar and close box are always in reach.
    function fit(w) {
        const width = w.offsetWidth;
        const height = w.offsetHeight;
        const margin = 4;
        const below = document.querySelector('header').getBoundingClientRect().bottom;
        const scale = Math.min(Board.scale, (innerWidth - 2 * margin) / width,
                               (innerHeight - below - 2 * margin) / height);
        const left = clamp(w.left, margin, innerWidth - width * scale - margin);
        const top = clamp(w.top, below + margin, innerHeight - height * scale - margin);
        w.style.left = px(left);
        w.style.top = px(top);
        w.style.transform = `scale(${scale})`;
        const picture = titlePicture(scale);
        for (const element of w.pictured) {
            if (element.style.backgroundImage !== picture) {
                element.style.backgroundImage = picture;
            }
        }
    }

    // The window to the front: the help windows keep the stacking levels 101 and up, under the
    // menus and the message boxes.
    function raise(w) {
        const order = [...windows.values()].filter((other) => other !== w);
        order.sort((a, b) => Number(a.style.zIndex) - Number(b.style.zIndex));
        order.push(w);
        order.forEach((other, i) => { other.style.zIndex = String(101 + i); });
    }

    function make(which) {
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
        closeBox.addEventListener('click', () => close(which));
        bar.append(heading, closeBox);
        const client = document.createElement('div');
        client.className = 'help-client';
        client.style.width = px(design.client.w);
        client.style.height = px(design.client.h);
        const titleSize = `${px(layout.pictures.titleWidth)} auto`;
        client.style.backgroundSize = titleSize;
        w.pictured = [client];
        if (which === codes.help.about) {
            const ok = document.createElement('button');
            ok.type = 'button';
            ok.className = 'about-ok';
            ok.textContent = design.okCaption;
            setBox(ok, design.ok);
            setFont(ok, design.font);
            ok.style.backgroundSize = titleSize;
            // Its face: the middle of the whole title picture.
            ok.style.backgroundPosition = `${px((design.ok.w - layout.pictures.titleWidth) / 2)} ${
                px((design.ok.h - layout.pictures.titleHeight) / 2)}`;
            w.pictured.push(ok);
            ok.addEventListener('click', () => close(which));
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
                fit(w);
            };
            // Let go, or taken away by the browser: the window stays where it was last put.
            const up = () => {
                handle.removeEventListener('pointermove', move);
                handle.removeEventListener('pointerup', up);
                handle.removeEventListener('pointercancel', up);
                w.left = parseFloat(w.style.left);
                w.top = parseFloat(w.style.top);
                fit(w);
            };
            handle.addEventListener('pointermove', move);
            handle.addEventListener('pointerup', up);
            handle.addEventListener('pointercancel', up);
        });
    }

    function show(which) {
        let w = windows.get(which);
        const fresh = !w;
        if (!w) {
            w = make(which);
            windows.set(which, w);
            document.getElementById('windows').append(w);
        }
        raise(w);
        fit(w);
        if (fresh && w.focusTarget.tagName === 'TEXTAREA') {
            // A new Rules window starts at its first line, with the caret there.
            w.focusTarget.setSelectionRange(0, 0);
            w.focusTarget.scrollTop = 0;
        }
        w.focusTarget.focus({preventScroll: true});
    }

    function close(which) {
        const w = windows.get(which);
        if (w) {
            const hadFocus = w.contains(document.activeElement);
            w.remove();
            windows.delete(which);
            if (hadFocus) {
                Board.restoreFocus();
            }
        }
    }

    return {
        show,
        close,
        closeAll() {
            for (const which of [...windows.keys()]) {
                close(which);
            }
        },
        fitAll() {
            for (const w of windows.values()) {
                fit(w);
            }
        },
    };
})();
