// The game's module, asked for once the window has been painted: its script is fetched by the
// name the build writes in here and put into the page, where the page's policy lets it run only
// if it is that very text, and its WebAssembly is fetched by its name and digest, and compiled only
// if it is that very file. The page's last word, that the game cannot start, shows unless this
// script runs: it is hidden as the page starts, and shown again whenever the game cannot start
// (a browser without WebAssembly, the module refused by the policy, its WebAssembly not the file
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

    const fetched = (file, options = {}) => fetch(file, {credentials: 'same-origin', ...options})
        .then((response) => {
            if (!response.ok) {
                throw new Error(`${response.url}: ${response.status} ${response.statusText}`);
            }
            return response;
        });
    let wasm = null;

    // The module's script and its WebAssembly asked for together; the script runs as it comes.
    function load() {
        wasm = fetched('@WASM_FILE@', {integrity: '@WASM_INTEGRITY@'}).then((response) => response.arrayBuffer());
        wasm.catch(() => {});  // reported when the module asks for it
        fetched('@MODULE_FILE@')
            .then((response) => response.text())
            .then((text) => {
                const script = document.createElement('script');
                script.textContent = text;
                document.body.append(script);
                // A script put into the page runs at once, unless the policy refused it.
                if (typeof Module.ccall !== 'function') {
                    throw new Error('The game\'s module did not run');
                }
            })
            .catch(cannotStart);
    }

    // The module's Module.instantiateWasm: the module's exports come later, through `receive`.
    function instantiate(imports, receive) {
        wasm.then((bytes) => WebAssembly.instantiate(bytes, imports))
            .then(({instance, module}) => receive(instance, module))
            .catch(cannotStart);
        return {};
    }

    function begin() {
        root.classList.add('runs');
    }

    return {load, instantiate, cannotStart, begin};
})();
