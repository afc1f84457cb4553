// The Qt-free core, compiled to WebAssembly, and the one way the page talks
// to it: a request of tab-separated fields in, an answer out (PageCore.cpp).

let exports = null;
const encoder = new TextEncoder();
const decoder = new TextDecoder();

// The core asks the system for nothing the page has to give: its few WASI
// imports answer "not supported" (the libc's error number 52, ENOSYS).
function stubImports(module) {
    const imports = {};
    for (const { module: name, name: field, kind } of WebAssembly.Module.imports(module)) {
        if (kind !== "function") continue;
        imports[name] = imports[name] || {};
        imports[name][field] = () => 52;
    }
    return imports;
}

export async function loadCore(url = "quorvane.wasm") {
    const response = await fetch(url);
    let module;
    try {
        module = await WebAssembly.compileStreaming(response.clone());
    } catch {
        // A static host may serve .wasm without its media type.
        module = await WebAssembly.compile(await response.arrayBuffer());
    }
    const instance = await WebAssembly.instantiate(module, stubImports(module));
    exports = instance.exports;
    exports._initialize();
}

function callBytes(bytes) {
    const at = exports.qv_input(bytes.length);
    new Uint8Array(exports.memory.buffer, at, bytes.length).set(bytes);
    const out = exports.qv_call();
    return decoder.decode(new Uint8Array(exports.memory.buffer, out, exports.qv_output_size()));
}

export function call(...fields) {
    return callBytes(encoder.encode(fields.join("\t"))).split("\t");
}

// The catalogue's bytes as they are: the core decodes them, as the desktop
// reader does.
export function readCatalogue(face, fileName, bytes) {
    const head = encoder.encode(["V", face, fileName].join("\t") + "\n");
    const request = new Uint8Array(head.length + bytes.length);
    request.set(head);
    request.set(bytes, head.length);
    return JSON.parse(callBytes(request));
}
