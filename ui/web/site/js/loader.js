// The game's module: its script fetched by the name the site's build gave it and put into the page,
// where the page's policy lets it run only if it is that very text, and its WebAssembly fetched by
// its name and digest, and compiled only if it is that very file (MODULE_SCRIPT, MODULE_WASM and
// MODULE_WASM_INTEGRITY, which the build writes in).

const fetched = (file, options = {}) => fetch(file, {credentials: 'same-origin', ...options})
    .then((response) => {
        if (!response.ok) {
            throw new Error(`${response.url}: ${response.status} ${response.statusText}`);
        }
        return response;
    });

// Asks for the module's script and its WebAssembly together; the script runs as it comes. Resolves
// once the module is ready to start; whatever keeps it from starting, or stops it later, goes to
// `failed` instead.
export function load(failed) {
    return new Promise((resolve) => {
        const wasm = fetched(MODULE_WASM, {integrity: MODULE_WASM_INTEGRITY}).then((response) => response.arrayBuffer());
        wasm.catch(() => {});  // reported when the module asks for it
        window.Module = {
            // The module's exports come later, through `receive`.
            instantiateWasm(imports, receive) {
                wasm.then((bytes) => WebAssembly.instantiate(bytes, imports))
                    .then(({instance, module}) => receive(instance, module))
                    .catch(failed);
                return {};
            },
            onRuntimeInitialized: resolve,
            onAbort: (what) => failed(new Error(`The game stopped: ${what}`)),
        };
        fetched(MODULE_SCRIPT)
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
            .catch(failed);
    });
}
