// The game's module: its script comes in the page right after the page's own, and its
// WebAssembly is fetched by the name and the digest the build writes in here, and compiled only
// if it is that very file. The page's last word, that the game cannot start, shows unless this
// script runs: it is hidden as the page starts, and shown again whenever the game cannot start
// (a browser without WebAssembly, the module refused by a policy, its WebAssembly not the file
// the page was built with).
const Loader = (() => {
    const root = document.documentElement;

    function cannotStart(error) {
        if (!Gate.ready) {
            root.classList.remove('runs');
            for (const loading of ['busy', 'loading']) {
                document.getElementById(loading)?.remove();
            }
        }
        Gate.fail(error);
    }

    // The module's Module.instantiateWasm: the module's exports come later, through `receive`.
    function instantiate(imports, receive) {
        fetch('@WASM_FILE@', {integrity: '@WASM_INTEGRITY@', credentials: 'same-origin'})
            .then((response) => {
                if (!response.ok) {
                    throw new Error(`${response.url}: ${response.status} ${response.statusText}`);
                }
                return response.arrayBuffer();
            })
            .then((bytes) => WebAssembly.instantiate(bytes, imports))
            .then(({instance, module}) => receive(instance, module))
            .catch(cannotStart);
        return {};
    }

    function begin() {
        root.classList.add('runs');
        // The module's script has run by the time the page has been read, unless it was refused.
        addEventListener('DOMContentLoaded', () => {
            if (typeof Module.ccall !== 'function') {
                cannotStart(new Error('The game\'s module did not run'));
            }
        });
    }

    return {instantiate, cannotStart, begin};
})();
