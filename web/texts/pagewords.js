// The page's own texts, the ones no window has. Japanese is the source, as
// in the windows; lupdate reads them from here into the translation files
// under the context "WebPage", and the build takes every face's words from
// those files.
"use strict";

function QT_TRANSLATE_NOOP(context, text) { return text; }

self.PageText = {
    clearEarth: QT_TRANSLATE_NOOP("WebPage", "地球暦をクリア (&E)"),
    clearStar: QT_TRANSLATE_NOOP("WebPage", "宇宙暦をクリア (&S)"),
    face: QT_TRANSLATE_NOOP("WebPage", "表示言語："),
    openOwn: QT_TRANSLATE_NOOP("WebPage", "自分のファイルを開く："),
    neverUploaded: QT_TRANSLATE_NOOP("WebPage", "ファイルはこの端末の中だけで読み、どこにも送りません。"),
    close: QT_TRANSLATE_NOOP("WebPage", "閉じる"),
    coreFailed: QT_TRANSLATE_NOOP("WebPage", "変換の部品が動きませんでした。ページを再読み込みしてください。"),
    fileMissing: QT_TRANSLATE_NOOP("WebPage", "%1 を読み込めませんでした。自分のファイルを開くこともできます。"),
};
