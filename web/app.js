// The main window, the event list, the read-me and the about texts in the
// page. The rules are the windows' (frmMain, frmDataList); every number and
// message comes from the core.
import { call, loadCore, readCatalogue } from "./core.js";

const $ = (id) => document.getElementById(id);
const kEarthFrame = "fraEarthDate";
const kStarFrame = "fraStarDate";
const kCaptionPrefix = "StarData - ";

let data = null;  // data.json: faces, words, shipped files
let face = "ja";
let events = null;  // the event list, once read
let listFile = "";  // the file it came from, for the caption

// ------------------------------------------------------------ words

// A window's text in the face shown: its translation, the English one where
// the face has none, the Japanese source where neither has it.
function tr(context, source) {
    if (face === "ja") return source;
    const key = context + "\u0004" + source;
    return data.words[face]?.[key] ?? data.words.en?.[key] ?? source;
}

function pageText(name) { return tr("WebPage", self.PageText[name]); }

// "リアルタイム変更 (&R)": the caption without "&", and the access key
// after it, underlined.
function setCaption(element, text, control) {
    const at = text.search(/&[^&]/);
    element.textContent = "";
    if (at < 0) {
        element.textContent = text;
        return;
    }
    const key = text[at + 1];
    const underlined = document.createElement("u");
    underlined.textContent = key;
    element.append(text.slice(0, at), underlined, text.slice(at + 2));
    if (control) {
        control.accessKey = key.toLowerCase();
        control.setAttribute("aria-keyshortcuts", "Alt+" + key.toUpperCase());
    }
}

function applyWords() {
    document.documentElement.lang = face;
    for (const element of document.querySelectorAll("[data-tr]")) {
        element.dataset.source ??= element.textContent;
        const control = element.dataset.access ? $(element.dataset.access) : null;
        setCaption(element, tr(element.dataset.tr, element.dataset.source), control);
    }
    for (const element of document.querySelectorAll("[data-page]")) {
        const control = element.matches("button") ? element : null;
        setCaption(element, pageText(element.dataset.page), control);
    }
    for (const element of document.querySelectorAll("[data-tip]")) {
        const tip = tr(element.dataset.tip, element.dataset.tipText);
        element.title = tip;
        const button = element.matches("button") ? element : null;
        if (button) button.setAttribute("aria-label", tip);
    }
    $("lblTrekTitle").textContent =
        tr("frmAbout", "ｽﾀｰﾄﾚｯｸｺｰﾅｰ(%1)は．．．").replace("%1", tr("frmAbout", "宇宙暦ﾉｰﾄ"));
    $("lblVersion").textContent = "Ver " + data.version;
    $("msgOK").textContent = "OK";
}

// ------------------------------------------------------------ options

// Kept as the desktop keeps them: "True"/"False", "YearDay"/"Month-Day";
// a text it does not know leaves the control as the window creates it.
const kStore = "Quorvane/Option/";
const kMissing = { Reset: "True", ResetNum: "100000", RealTime: "True", Base: "True", DayOpt: "YearDay" };

function stored(key) {
    try {
        return localStorage.getItem(kStore + key) ?? kMissing[key] ?? "";
    } catch {
        return kMissing[key] ?? "";
    }
}

function store(key, value) {
    try {
        localStorage.setItem(kStore + key, value);
    } catch {
        // Storage refused (a private window): the options last this visit.
    }
}

function saveOptions() {
    store("Reset", $("chkReset").checked ? "True" : "False");
    store("ResetNum", $("txtReset").value);
    store("RealTime", $("chkRealTime").checked ? "True" : "False");
    store("Base", $("chkBase90").checked ? "True" : "False");
    store("DayOpt", $("optYD").checked ? "YearDay" : "Month-Day");
}

function restoreOptions() {
    // In the order the window restores them, each through its handler.
    const check = (id, text) => {
        if (text === "True" || text === "False") $(id).checked = text === "True";
    };
    check("chkReset", stored("Reset"));
    chkReset_Click();
    $("txtReset").value = stored("ResetNum");
    check("chkRealTime", stored("RealTime"));
    check("chkBase90", stored("Base"));
    if (stored("DayOpt") === "YearDay") $("optYD").checked = true;
    else $("optMD").checked = true;
    showEntryMode();
}

// ------------------------------------------------------------ converter

function containerOf(element) {
    return element?.closest?.("fieldset")?.id ?? "frmMain";
}

function mode() { return $("optYD").checked ? "yd" : "md"; }
function flag(id) { return $(id).checked ? "1" : "0"; }

function isEarthDateComplete() {
    return call("C", $("txtYear").value, mode(), $("txtMonth").value, $("txtDate").value,
                $("txtYearDate").value)[0] === "1";
}

function convertToEarthDate() {
    const [year, dayOfYear, month, day] =
        call("E", $("txtStarDate").value, flag("chkReset"), flag("chkBase90"), $("txtReset").value);
    $("txtYear").value = year ?? "";
    $("txtYearDate").value = dayOfYear ?? "";
    $("txtMonth").value = month ?? "";
    $("txtDate").value = day ?? "";
}

function convertToStarDate() {
    const answer = call("S", $("txtYear").value, mode(), $("txtMonth").value, $("txtDate").value,
                        $("txtYearDate").value, flag("chkReset"), $("txtReset").value, face);
    if (answer[0] === "ok") {
        $("txtStarDate").value = answer[1];
        return;
    }
    showMessage(answer[2], answer[1] === "yearday" ? $("txtYearDate") : null);
}

function convertEarthDateLive() {
    if (!$("chkRealTime").checked) return;
    // A change while the stardate side has the focus was written by a
    // conversion from that side.
    if (containerOf(document.activeElement) === kStarFrame) return;
    if (!isEarthDateComplete()) return;
    convertToStarDate();
}

function txtStarDate_Change() {
    if (!$("chkRealTime").checked) return;
    if (containerOf(document.activeElement) === kEarthFrame) return;
    if ($("txtStarDate").value === "") return;
    convertToEarthDate();
}

function showEntryMode() {
    const yearDay = $("optYD").checked;
    $("txtYearDate").disabled = !yearDay;
    $("lblYearDate").classList.toggle("disabled", !yearDay);
    for (const id of ["txtMonth", "txtDate"]) $(id).disabled = yearDay;
    for (const id of ["lblMonth", "lblDate"]) $(id).classList.toggle("disabled", yearDay);
}

function option_Click() {
    showEntryMode();
    saveOptions();
    if ($("chkRealTime").checked && isEarthDateComplete()) convertToStarDate();
}

function chkReset_Click() {
    const on = $("chkReset").checked;
    $("chkBase90").disabled = !on;
    $("txtReset").disabled = !on;
    $("chkBase90").closest("label").classList.toggle("disabled", !on);
}

function writeEarthDate(year, month, day, dayOfYear) {
    $("txtYear").value = String(year);
    $("txtMonth").value = String(month);
    $("txtDate").value = String(day);
    if (dayOfYear !== undefined) $("txtYearDate").value = String(dayOfYear);
    convertEarthDateLive();
}

function cmdToday_Click() {
    const now = new Date();
    const start = new Date(now.getFullYear(), 0, 1);
    const dayOfYear = Math.round((new Date(now.getFullYear(), now.getMonth(), now.getDate()) - start) / 86400000) + 1;
    writeEarthDate(now.getFullYear(), now.getMonth() + 1, now.getDate(), dayOfYear);
}

// ------------------------------------------------------------ messages

let afterMessage = null;

// The window's message box: the program's caption, the text, OK. The field
// named gets the focus when it closes.
function showMessage(text, focusAfter = null) {
    const box = $("msgBox");
    $("msgText").textContent = text;
    afterMessage = focusAfter;
    if (!box.open) box.showModal();
}

// ------------------------------------------------------------ event list

function catalogueFor(shownFace) {
    const own = `StarTrek_${shownFace}.vqd`;
    if (shownFace !== "ja" && data.catalogues.includes(own)) return own;
    if (shownFace !== "ja" && data.catalogues.includes("StarTrek_en.vqd")) return "StarTrek_en.vqd";
    return "StarTrek.vqd";
}

// A long text shows its beginning and "…", as the windows show it.
function shownText(text, limit) {
    if (text.length <= limit) return text;
    let cut = "";
    const segments = new Intl.Segmenter(undefined, { granularity: "grapheme" }).segment(text);
    for (const { segment } of segments) {
        if (cut.length + segment.length > limit - 1) break;
        cut += segment;
    }
    return cut + "…";
}

function fillList(list, fileName) {
    events = list.events;
    listFile = fileName;
    const headingEnd = tr("frmDataList", "：");
    if (list.headings) {
        $("lblTitle").textContent = list.headings[0] + headingEnd;
        $("lblDetail").textContent = list.headings[1] + headingEnd;
        $("lblSource").textContent = list.headings[3] + headingEnd;
    }
    const select = $("cmbTitle");
    select.replaceChildren(...events.map(([title], index) => new Option(shownText(title, 256), String(index))));
    $("lblDataListCaption").textContent = kCaptionPrefix + fileName;
    if (events.length > 0) {
        select.selectedIndex = 0;
        cmbTitle_Click();
    } else {
        $("txtDetail").value = "";
        $("txtSource").value = "";
    }
    if (list.message) showMessage(list.message);
}

function loadList(fileName, bytes) {
    fillList(readCatalogue(face, fileName, bytes), fileName);
}

async function loadShippedList() {
    const fileName = catalogueFor(face);
    let bytes;
    try {
        const response = await fetch(fileName);
        if (!response.ok) throw new Error(String(response.status));
        bytes = new Uint8Array(await response.arrayBuffer());
    } catch {
        $("lblDataListCaption").textContent = kCaptionPrefix + "Nothing";
        showMessage(pageText("fileMissing").replace("%1", fileName));
        return;
    }
    loadList(fileName, bytes);
}

// As frmDataList's selection: the detail and source, then the date into the
// converter with month-day entry and the focus on the date's side.
function cmbTitle_Click() {
    const index = Number($("cmbTitle").value);
    const event = events?.[index];
    if (!event) return;
    const [, detail, date, source] = event;
    $("txtDetail").value = shownText(detail, 4000);
    $("txtSource").value = shownText(source, 256);
    if (!$("optMD").checked) {
        $("optMD").checked = true;
        option_Click();
    }
    if (typeof date === "string") {
        $("txtStarDate").focus();
        $("txtStarDate").value = date;
        txtStarDate_Change();
    } else {
        $("txtYear").focus();
        writeEarthDate(date[0], date[1], date[2]);
    }
    // The list keeps the keyboard, as the list window keeps its own focus.
    $("cmbTitle").focus();
}

async function cmdData_Click() {
    const list = $("frmDataList");
    if (list.hidden) {
        list.hidden = false;
        $("cmdData").setAttribute("aria-expanded", "true");
        if (!events) await loadShippedList();
    }
    list.scrollIntoView({ block: "nearest" });
    $("cmbTitle").focus();
}

async function ownFile_Change() {
    const file = $("filCatalogue").files[0];
    if (!file) return;
    // Read here, in the page, by the same reader as the desktop's; never sent.
    const bytes = new Uint8Array(await file.arrayBuffer());
    $("filCatalogue").value = "";
    loadList(file.name, bytes);
}

// ------------------------------------------------------------ read-me, about, face

async function cmdHelp_Click() {
    const own = face === "ja" ? "ReadMe.TXT" : `ReadMe_${face}.TXT`;
    const name = data.readmes.includes(own) ? own : face === "ja" ? "ReadMe.TXT" : "ReadMe_en.TXT";
    try {
        const response = await fetch(name);
        $("txtReadme").textContent = await response.text();
    } catch {
        $("txtReadme").textContent = "";
    }
    $("frmReadme").showModal();
}

function showFaces() {
    const select = $("cmbFace");
    select.replaceChildren(...data.faces.map((f) => {
        const name = new Intl.DisplayNames([f], { type: "language" }).of(f) ?? f;
        const option = new Option(name, f);
        option.lang = f;
        return option;
    }));
    select.value = face;
}

async function cmbFace_Change() {
    face = $("cmbFace").value;
    store("Language", face);
    applyWords();
    if (events) await loadShippedList();
}

// The face as the program chooses it: the stored choice, else the
// browser's preferred languages, by the core's rule.
function chooseFace() {
    const chosen = call("L", stored("Language"), ...(navigator.languages ?? [navigator.language]))[0];
    return data.faces.includes(chosen) ? chosen : "en";
}

// ------------------------------------------------------------ start

function wire() {
    for (const id of ["txtYear", "txtMonth", "txtDate", "txtYearDate"])
        $(id).addEventListener("input", convertEarthDateLive);
    $("txtStarDate").addEventListener("input", txtStarDate_Change);
    $("cmdCEarhDate").addEventListener("click", convertToEarthDate);
    $("cmdCStarDate").addEventListener("click", convertToStarDate);
    $("cmdToday").addEventListener("click", cmdToday_Click);
    $("optMD").addEventListener("change", option_Click);
    $("optYD").addEventListener("change", option_Click);
    $("chkRealTime").addEventListener("change", () => {
        saveOptions();
        if ($("chkRealTime").checked && isEarthDateComplete()) convertToStarDate();
    });
    $("chkReset").addEventListener("change", () => { chkReset_Click(); saveOptions(); });
    $("chkBase90").addEventListener("change", saveOptions);
    $("txtReset").addEventListener("input", saveOptions);
    $("mnuRightClearED").addEventListener("click", () => {
        for (const id of ["txtYear", "txtMonth", "txtDate", "txtYearDate"]) $(id).value = "";
    });
    $("mnuRightClearSD").addEventListener("click", () => { $("txtStarDate").value = ""; });
    $("cmdData").addEventListener("click", cmdData_Click);
    $("cmdHelp").addEventListener("click", cmdHelp_Click);
    $("cmdAbout").addEventListener("click", () => $("frmAbout").showModal());
    $("cmbTitle").addEventListener("change", cmbTitle_Click);
    $("filCatalogue").addEventListener("change", ownFile_Change);
    $("cmbFace").addEventListener("change", cmbFace_Change);
    // A trap in the core (it has no exceptions) leaves it unusable: say so
    // rather than go on with fields half written.
    const trapped = (error) => {
        if (error instanceof WebAssembly.RuntimeError) showMessage(pageText("coreFailed"));
    };
    window.addEventListener("error", (event) => trapped(event.error));
    window.addEventListener("unhandledrejection", (event) => trapped(event.reason));
    $("msgBox").addEventListener("close", () => {
        afterMessage?.focus();
        afterMessage = null;
    });
}

async function start() {
    if ("serviceWorker" in navigator) {
        navigator.serviceWorker.register("sw.js").catch(() => {});
    }
    try {
        const [response] = await Promise.all([fetch("data.json"), loadCore()]);
        data = await response.json();
    } catch {
        data = data ?? { faces: ["ja"], words: {}, catalogues: [], readmes: [], version: "" };
        applyWords();
        showMessage(pageText("coreFailed"));
        return;
    }
    face = chooseFace();
    showFaces();
    applyWords();
    wire();
    restoreOptions();
    document.body.classList.add("ready");
    performance.mark("quorvane-ready");
    $("txtYear").focus();
}

start();
