// The menu bar, like a desktop window's: titles that open their menus by click, F10 or Alt, and
// items that hand the game their command.
import * as Board from './board.js';
import {layout} from './page.js';

const menubar = document.getElementById('menubar');
const titles = [];

export const close = () => {
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

export function build(choose) {
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
            const chosen = () => {
                close();
                Board.restoreFocus();
                choose(itemDesign);
            };
            item.addEventListener('click', chosen);
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
                    chosen();
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
                Board.restoreFocus();
            } else {
                return;
            }
            event.preventDefault();
            event.stopPropagation();
        });
        // Moving the mouse across the bar while a menu is open opens the one beneath it. A
        // finger comes down on a title without moving there: its tap alone opens the menu.
        title.addEventListener('pointerenter', (event) => {
            if (event.pointerType === 'mouse' && titles.some((t) => t.getAttribute('aria-expanded') === 'true')) {
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
}

// F10 or Alt alone: the focus to the first menu's title.
export function enter() {
    titles[0].focus();
}
