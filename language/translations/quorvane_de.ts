<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="ja">
<context>
    <name>CatalogueMessages</name>
    <message numerus="yes">
        <source>読み込めなかったデータ：%n 件</source>
        <translation>
            <numerusform>%n Ereignis konnte nicht gelesen werden.</numerusform>
            <numerusform>%n Ereignisse konnten nicht gelesen werden.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>ほかに %n 件の誤りがあります（%1 件を超える分は示しません）</source>
        <translation>
            <numerusform>%n weiterer Fehler (höchstens %1 werden aufgeführt)</numerusform>
            <numerusform>%n weitere Fehler (höchstens %1 werden aufgeführt)</numerusform>
        </translation>
    </message>
    <message>
        <source>100 万件</source>
        <translation>1.000.000 Ereignisse</translation>
    </message>
    <message>
        <source>見出しもデータもありません</source>
        <translation>keine Kopfzeile und keine Ereignisse</translation>
    </message>
    <message>
        <source>見出しの後にデータがありません</source>
        <translation>keine Ereignisse nach der Kopfzeile</translation>
    </message>
    <message>
        <source>空の行があります</source>
        <translation>eine leere Zeile</translation>
    </message>
    <message>
        <source>「&quot;」が閉じていません</source>
        <translation>ein &quot; wird nie geschlossen</translation>
    </message>
    <message>
        <source>閉じた「&quot;」の後に文字があります</source>
        <translation>Text nach einem schließenden &quot;</translation>
    </message>
    <message>
        <source>項目が 4 つそろっていません</source>
        <translation>nicht genau 4 Felder</translation>
    </message>
    <message>
        <source>日付が正しくありません</source>
        <translation>kein gültiges Datum</translation>
    </message>
    <message>
        <source>#NULL# は出典にしか使えません</source>
        <translation>#NULL# darf nur als Quelle stehen</translation>
    </message>
    <message>
        <source>エラー値は使えません</source>
        <translation>Fehlerwerte sind nicht erlaubt</translation>
    </message>
    <message>
        <source>日付の欄が日付でも数値でもありません</source>
        <translation>das Datum ist weder ein Datum noch eine Zahl</translation>
    </message>
    <message>
        <source>数値が大きすぎます</source>
        <translation>die Zahl ist zu groß</translation>
    </message>
    <message>
        <source>同じ事象がすでにあります</source>
        <translation>ein Ereignis mit diesem Titel ist schon aufgeführt</translation>
    </message>
    <message>
        <source>UTF-8 として読めない文字があります</source>
        <translation>Zeichen, die sich nicht als UTF-8 lesen lassen</translation>
    </message>
    <message>
        <source>Shift-JIS として読めない文字があります</source>
        <translation>Zeichen, die sich nicht als Shift-JIS lesen lassen</translation>
    </message>
    <message>
        <source>UTF-16 として読めない文字があります</source>
        <translation>Zeichen, die sich nicht als UTF-16 lesen lassen</translation>
    </message>
    <message>
        <source>NUL 文字があります</source>
        <translation>ein NUL-Zeichen</translation>
    </message>
    <message>
        <source>データが %1を超えています</source>
        <translation>mehr als %1</translation>
    </message>
    <message>
        <source>読めないデータがあります</source>
        <translation>Daten, die sich nicht lesen lassen</translation>
    </message>
    <message>
        <source>%1 が見つかりません。</source>
        <translation>%1 wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>%1 はファイルではありません。</source>
        <translation>%1 ist keine Datei (sondern zum Beispiel ein Ordner, eine Pipe oder ein Gerät).</translation>
    </message>
    <message>
        <source>%1 を読み込めません。</source>
        <translation>%1 lässt sich nicht lesen.</translation>
    </message>
    <message>
        <source>%1 は大きすぎるため読み込めません。（%2 まで）</source>
        <translation>%1 ist größer als %2 und kann von Quorvane nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 の %2 行目に誤りがあります（%3）。</source>
        <translation>Zeile %2 von %1 enthält einen Fehler (%3).</translation>
    </message>
    <message>
        <source>%1 には事象がありません（%2）。</source>
        <translation>%1 enthält keine Ereignisse (%2).</translation>
    </message>
    <message>
        <source>ファイルが %1 を超えるため、保存すると読み込めなくなります。</source>
        <translation>Die Datei würde größer als %1, und Quorvane könnte sie nicht wieder lesen.</translation>
    </message>
    <message>
        <source>事象が %1を超えるため、保存すると超えた分を読み込めなくなります。</source>
        <translation>Der Katalog enthielte mehr als %1, und Quorvane könnte die Ereignisse darüber hinaus nicht wieder lesen.</translation>
    </message>
    <message>
        <source>この形式では項目の中に「&quot;」を書けません</source>
        <translation>dieses Format kann kein &quot; innerhalb eines Feldes speichern</translation>
    </message>
    <message>
        <source>この形式では項目の中に改行を書けません</source>
        <translation>dieses Format kann keinen Zeilenumbruch innerhalb eines Feldes speichern</translation>
    </message>
    <message>
        <source>この形式では項目の中に NUL 文字を書けません</source>
        <translation>dieses Format kann kein NUL-Zeichen innerhalb eines Feldes speichern</translation>
    </message>
    <message>
        <source>この形式では書けない値です</source>
        <translation>dieses Format kann diesen Wert nicht speichern</translation>
    </message>
    <message>
        <source>日付は宇宙暦（例 41153.7）か西暦（例 2063-04-05）で入力してください</source>
        <translation>Geben Sie eine Sternzeit (etwa 41153.7) oder ein Erddatum (etwa 2063-04-05) ein</translation>
    </message>
    <message>
        <source>「&quot;」は使えません</source>
        <translation>Ein &quot; ist hier nicht erlaubt</translation>
    </message>
    <message>
        <source>改行は使えません</source>
        <translation>Ein Zeilenumbruch ist hier nicht erlaubt</translation>
    </message>
    <message>
        <source>事象を入力してください</source>
        <translation>Geben Sie das Ereignis ein</translation>
    </message>
    <message>
        <source>詳細を入力してください</source>
        <translation>Geben Sie die Details ein</translation>
    </message>
    <message>
        <source>%1 番目の項目は保存できません（%2）</source>
        <translation>Feld %1 lässt sich nicht speichern (%2)</translation>
    </message>
</context>
<context>
    <name>CatalogueSave</name>
    <message>
        <source>%1 に書き込む権限がありません。</source>
        <translation>Sie haben keine Berechtigung, %1 zu schreiben.</translation>
    </message>
    <message>
        <source>%1 を書き込めませんでした。ディスクの空きが足りない可能性があります。</source>
        <translation>%1 konnte nicht geschrieben werden. Möglicherweise ist der Datenträger voll.</translation>
    </message>
    <message>
        <source>%1 を置き換えられませんでした。ほかのプログラムが使用中の可能性があります。</source>
        <translation>%1 konnte nicht ersetzt werden. Möglicherweise verwendet ein anderes Programm die Datei.</translation>
    </message>
    <message>
        <source>%1 を書き込めませんでした。</source>
        <translation>%1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>
元の内容を戻せませんでした。%1.bak に保存してあります。</source>
        <translation>
Der alte Inhalt konnte nicht zurückgeschrieben werden. Er liegt in %1.bak.</translation>
    </message>
    <message>
        <source>%1 を読めませんでした。
(%2)</source>
        <translation>%1 konnte nicht gelesen werden.
(%2)</translation>
    </message>
    <message>
        <source>%1 という名前のフォルダーがあるため、ファイルとして保存できません。</source>
        <translation>Ein Ordner namens %1 steht im Weg, daher lässt sich der Katalog dort nicht als Datei speichern.</translation>
    </message>
    <message>
        <source>ほかのプログラムが %1 を保存しているところです。少し待ってから、もう一度保存してください。</source>
        <translation>Ein anderes Programm speichert gerade %1. Warten Sie einen Moment und speichern Sie dann erneut.</translation>
    </message>
    <message>
        <source>%1 を開けませんでした。
(%2)</source>
        <translation>%1 konnte nicht geöffnet werden.
(%2)</translation>
    </message>
    <message>
        <source>%1.bak を開けませんでした。
(%2)</source>
        <translation>%1.bak konnte nicht geöffnet werden.
(%2)</translation>
    </message>
    <message>
        <source>%1.bak を読めませんでした。
(%2)</source>
        <translation>%1.bak konnte nicht gelesen werden.
(%2)</translation>
    </message>
    <message>
        <source>%1.bak は %1 と同じファイル（ハードリンク）のため、保存前の内容を残せません。
%1.bak を削除するか名前を変えてから、もう一度保存してください。</source>
        <translation>%1.bak ist dieselbe Datei wie %1 (ein harter Link), daher kann der vorherige Inhalt nicht aufbewahrt werden.
Löschen oder benennen Sie %1.bak um und speichern Sie dann erneut.</translation>
    </message>
    <message>
        <source>
元に戻す前の内容は %1.bak にあります。</source>
        <translation>
Der Inhalt vor dem Wiederherstellen liegt in %1.bak.</translation>
    </message>
</context>
<context>
    <name>Conversion</name>
    <message>
        <source>年の指定が無効です。</source>
        <translation>Das Jahr ist ungültig.</translation>
    </message>
    <message>
        <source>年間通算日の指定が無効です。</source>
        <translation>Der Tag des Jahres ist ungültig.</translation>
    </message>
    <message>
        <source>日付の指定が無効です。</source>
        <translation>Das Datum ist ungültig.</translation>
    </message>
    <message>
        <source>西暦が 100 年から 9999 年の範囲を外れます。</source>
        <translation>das Erddatum liegt außerhalb der Jahre 100 bis 9999</translation>
    </message>
</context>
<context>
    <name>EventTableModel</name>
    <message>
        <source>編集</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>換算日付</source>
        <translation>Umgerechnet</translation>
    </message>
    <message>
        <source>この欄は変更できません</source>
        <translation>Diese Spalte lässt sich nicht ändern</translation>
    </message>
</context>
<context>
    <name>MissingFileQuestion</name>
    <message>
        <source>%1 がありません。自分でさがしますか？</source>
        <translation>%1 fehlt. Möchten Sie selbst danach suchen?</translation>
    </message>
</context>
<context>
    <name>OpenDialog</name>
    <message>
        <source>Quorvane ﾃﾞｰﾀﾍﾞｰｽﾌｧｲﾙ(*.vqd)</source>
        <translation>Quorvane-Kataloge (*.vqd)</translation>
    </message>
    <message>
        <source>ﾃｷｽﾄﾌｧｲﾙ(*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>すべてのﾌｧｲﾙ(*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
</context>
<context>
    <name>ProgramOptions</name>
    <message>
        <source>この引数は使えません: %1</source>
        <translation>Dieses Argument wird nicht angenommen: %1</translation>
    </message>
    <message>
        <source>%1 が 2 度あります。</source>
        <translation>%1 ist zweimal angegeben.</translation>
    </message>
    <message>
        <source>%1 には値が要ります。</source>
        <translation>%1 braucht einen Wert.</translation>
    </message>
    <message>
        <source>%1 はほかの引数と一緒には使えません。</source>
        <translation>%1 nimmt keine weiteren Argumente.</translation>
    </message>
    <message>
        <source>使い方: quorvane [--language %1|system]
        quorvane --check-install</source>
        <translation>Aufruf: quorvane [--language %1|system]
        quorvane --check-install</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Paste</source>
        <translation>Ein&amp;fügen</translation>
    </message>
</context>
<context>
    <name>RealPlatform</name>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>保存しない(&amp;N)</source>
        <translation>&amp;Nicht speichern</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>再読み込み(&amp;R)</source>
        <translation>Neu &amp;laden</translation>
    </message>
    <message>
        <source>上書き保存(&amp;O)</source>
        <translation>&amp;Überschreiben</translation>
    </message>
    <message>
        <source>ファイルを開く</source>
        <translation>Öffnen</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>（%1）</source>
        <translation> (%1)</translation>
    </message>
    <message>
        <source>設定のフォルダーを作れません%1。その上のフォルダーに書き込めるか確かめてください。</source>
        <translation>Der Ordner für die Einstellungen kann nicht angelegt werden%1. Prüfen Sie, ob in den Ordner darüber geschrieben werden darf.</translation>
    </message>
    <message>
        <source>ほかの Quorvane が設定を保存していて、終わるのを待ちきれませんでした。ほかの Quorvane が応答しているか確かめてください。</source>
        <translation>Ein anderes Quorvane speichert gerade die Einstellungen und wurde nicht rechtzeitig fertig. Prüfen Sie, ob das andere Quorvane noch reagiert.</translation>
    </message>
    <message>
        <source>設定ファイルの場所に、ファイルではないもの（フォルダー、パイプ、デバイスなど）があります。それを移すか消してください。</source>
        <translation>Wo die Einstellungsdatei hingehört, steht etwas, das keine Datei ist (ein Ordner, eine Pipe, ein Gerät). Verschieben oder löschen Sie es.</translation>
    </message>
    <message>
        <source>設定ファイルを読めません%1。ファイルの読み取り権限を確かめてください。</source>
        <translation>Die Einstellungsdatei kann nicht gelesen werden%1. Prüfen Sie, ob Sie sie lesen dürfen.</translation>
    </message>
    <message>
        <source>設定ファイルが大きすぎて読めません（16 MiB まで）。中身を確かめてください。</source>
        <translation>Die Einstellungsdatei ist zu groß zum Lesen (höchstens 16 MiB). Prüfen Sie, was sie enthält.</translation>
    </message>
    <message>
        <source>保存すると設定ファイルが大きすぎて読めなくなります（16 MiB まで）。中身を確かめてください。</source>
        <translation>Nach dem Speichern wäre die Einstellungsdatei zu groß, um wieder gelesen zu werden (höchstens 16 MiB). Prüfen Sie, was sie enthält.</translation>
    </message>
    <message>
        <source>設定を書き込めません%1。書き込み権限と空き容量を確かめてください。</source>
        <translation>Die Einstellungen können nicht geschrieben werden%1. Prüfen Sie, ob Sie dort schreiben dürfen und ob auf dem Datenträger Platz ist.</translation>
    </message>
</context>
<context>
    <name>UiFace</name>
    <message>
        <source>--language には %1 または system を指定してください（「%2」は使えません）。</source>
        <translation>--language nimmt %1 oder system an („%2“ gehört nicht dazu).</translation>
    </message>
    <message>
        <source>表示言語の選択を設定に保存できませんでした。
%1
%2</source>
        <translation>Die Wahl der Anzeigesprache konnte nicht in den Einstellungen gespeichert werden.
%1
%2</translation>
    </message>
</context>
<context>
    <name>WebPage</name>
    <message>
        <source>地球暦をクリア (&amp;E)</source>
        <translation>&amp;Erddatum leeren</translation>
    </message>
    <message>
        <source>宇宙暦をクリア (&amp;S)</source>
        <translation>&amp;Sternzeit leeren</translation>
    </message>
    <message>
        <source>表示言語：</source>
        <translation>Sprache:</translation>
    </message>
    <message>
        <source>自分のファイルを開く：</source>
        <translation>Eigene Datei öffnen:</translation>
    </message>
    <message>
        <source>ファイルはこの端末の中だけで読み、どこにも送りません。</source>
        <translation>Die Datei wird nur auf diesem Gerät gelesen und nirgendwohin gesendet.</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>変換の部品が動きませんでした。ページを再読み込みしてください。</source>
        <translation>Der Umrechner funktioniert nicht. Bitte laden Sie die Seite neu.</translation>
    </message>
    <message>
        <source>%1 を読み込めませんでした。自分のファイルを開くこともできます。</source>
        <translation>%1 konnte nicht geladen werden. Sie können auch eine eigene Datei öffnen.</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source> Quorvane ～宇宙暦・西暦 換算 ～</source>
        <translation> Quorvane ~ Sternzeit- und Erddatumsrechner ~</translation>
    </message>
    <message>
        <source>宇宙暦ﾉｰﾄ</source>
        <translation>Sternzeit-Notizen</translation>
    </message>
    <message>
        <source> Quorvane ～宇宙暦・西暦 換算 ～ ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation> Über Quorvane ~ Sternzeit- und Erddatumsrechner ~</translation>
    </message>
    <message>
        <source>ｼｽﾃﾑ情報(&amp;S)...</source>
        <translation>&amp;Systeminfo...</translation>
    </message>
    <message>
        <source>このソフトの最新版は．．．</source>
        <translation>Die neueste Version gibt es unter...</translation>
    </message>
    <message>
        <source>ご意見・ご感想は．．．</source>
        <translation>Anregungen und Rückmeldungen an...</translation>
    </message>
    <message>
        <source>ｽﾀｰﾄﾚｯｸｺｰﾅｰ(%1)は．．．</source>
        <translation>Die Star-Trek-Seiten (%1) gibt es unter...</translation>
    </message>
    <message>
        <source>現時点ではｼｽﾃﾑ情報を使用できません</source>
        <translation>Die Systeminformationen sind derzeit nicht verfügbar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>frmDataList</name>
    <message>
        <source>事象：</source>
        <translation>Ereignis:</translation>
    </message>
    <message>
        <source>詳細：</source>
        <translation>Details:</translation>
    </message>
    <message>
        <source>出典：</source>
        <translation>Quelle:</translation>
    </message>
    <message>
        <source>：</source>
        <translation>:</translation>
    </message>
</context>
<context>
    <name>frmEditor</name>
    <message>
        <source>%1 は大きすぎるため編集できません。</source>
        <translation>%1 ist zu groß zum Lesen und lässt sich daher nicht bearbeiten.</translation>
    </message>
    <message>
        <source>%1 の見出しの行を読めないため編集できません。</source>
        <translation>Die Kopfzeile von %1 lässt sich nicht lesen, daher kann die Datei nicht bearbeitet werden.</translation>
    </message>
    <message>
        <source>%1 を読み込めませんでした。</source>
        <translation>%1 lässt sich nicht lesen.</translation>
    </message>
    <message>
        <source>%1 はほかのプログラムによって削除されました。

上書き保存すると、編集中の内容でファイルを作り直します。</source>
        <translation type="vanished">%1 wurde von einem anderen Programm gelöscht.

Überschreiben legt die Datei aus dem an, was Sie gerade bearbeiten.</translation>
    </message>
    <message>
        <source>%1 はほかのプログラムによって変更されました。

再読み込みすると、変更後のファイルを表示します。</source>
        <translation>%1 wurde von einem anderen Programm geändert.

Neu laden zeigt die Datei so, wie das andere Programm sie hinterlassen hat.</translation>
    </message>
    <message>
        <source>この画面で保存していない変更は失われます。</source>
        <translation> Änderungen, die Sie hier nicht gespeichert haben, gehen verloren.</translation>
    </message>
    <message>
        <source>
上書き保存すると、ほかのプログラムによる変更は %1.bak にだけ残ります。</source>
        <translation>
Überschreiben behält die Fassung von %1 aus dem anderen Programm nur in %1.bak.</translation>
    </message>
    <message>
        <source>
キャンセルすると、何も書き込まず編集を続けます。</source>
        <translation>
Abbrechen schreibt nichts, und Sie bearbeiten weiter.</translation>
    </message>
    <message>
        <source>保存しませんでした。</source>
        <translation>Nicht gespeichert.</translation>
    </message>
    <message>
        <source>絞り込み(&amp;F)：</source>
        <translation>&amp;Filter:</translation>
    </message>
    <message>
        <source>事象と詳細から探します</source>
        <translation>In Ereignissen und Details suchen</translation>
    </message>
    <message>
        <source>絞り込み</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>事象の一覧</source>
        <translation>Ereignisse</translation>
    </message>
    <message>
        <source>追加(&amp;A)</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>選んだ行の後に新しい事象を加えます</source>
        <translation>Ein neues Ereignis nach der gewählten Zeile einfügen</translation>
    </message>
    <message>
        <source>複製(&amp;C)</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>選んだ行の写しを後に加えます</source>
        <translation>Eine Kopie der gewählten Zeile dahinter einfügen</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>選んだ行を削除します</source>
        <translation>Die gewählte Zeile löschen</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>R&amp;ückgängig</translation>
    </message>
    <message>
        <source>元に戻す (Ctrl+Z)</source>
        <translation>Rückgängig (Strg+Z)</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>やり直し (Ctrl+Y)</source>
        <translation>Wiederholen (Strg+Y)</translation>
    </message>
    <message>
        <source>日付を主画面へ(&amp;M)</source>
        <translation>Datum in den &amp;Umrechner</translation>
    </message>
    <message>
        <source>選んだ事象の日付を変換画面に入れます (行のダブルクリックでも)</source>
        <translation>Das Datum des gewählten Ereignisses in den Umrechner übernehmen (oder die Zeile doppelt anklicken)</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>保存 (Ctrl+S)</source>
        <translation>Speichern (Strg+S)</translation>
    </message>
    <message>
        <source>閉じる(&amp;X)</source>
        <translation>Schli&amp;eßen</translation>
    </message>
    <message>
        <source>データベースの編集 - </source>
        <translation>Katalog bearbeiten - </translation>
    </message>
    <message>
        <source>ファイル：</source>
        <translation>Datei: </translation>
    </message>
    <message>
        <source>
読み込めなかった %1 行はそのまま残し、保存しても元の位置に書き戻します。</source>
        <translation>
Zeilen, die sich nicht lesen ließen (%1 in dieser Datei), bleiben unverändert und werden beim Speichern an ihrer Stelle zurückgeschrieben.</translation>
    </message>
    <message>
        <source>新しい事象</source>
        <translation>Neues Ereignis</translation>
    </message>
    <message>
        <source>詳細</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>読み込めなかった %1 行目は %2 の文字として正しくありません。
この行は読み込んだときのまま書き戻すため、保存したファイルには別の文字コードの行が混ざります。
保存しますか？</source>
        <translation>Die nicht lesbare Zeile %1 ist kein gültiger %2-Text.
Sie wird genau so zurückgeschrieben, wie sie gelesen wurde; die gespeicherte Datei mischt dann Zeilen in einer anderen Kodierung.
Trotzdem speichern?</translation>
    </message>
    <message>
        <source>%1 件目の事象の前にある読み込めなかった行</source>
        <translation>die nicht lesbare Zeile vor Ereignis %1</translation>
    </message>
    <message>
        <source>最後の読み込めなかった行</source>
        <translation>die letzte nicht lesbare Zeile</translation>
    </message>
    <message>
        <source>見出しの行</source>
        <translation>die Kopfzeile</translation>
    </message>
    <message>
        <source>%1 件目の事象「%2」の「%3」欄（%4 列目）</source>
        <translation>Ereignis %1 „%2“, Feld „%3“ (Spalte %4)</translation>
    </message>
    <message>
        <source>%1に「%2」(%3) があります。
%4。このままでは保存できません。</source>
        <translation>In %1 steht „%2“ (%3).
%4. So lässt sich die Datei nicht speichern.</translation>
    </message>
    <message>
        <source>%1にある文字「%2」(%3) は %4 で保存できません。</source>
        <translation>Das Zeichen „%2“ (%3) in %1 lässt sich nicht in %4 speichern.</translation>
    </message>
    <message>
        <source>%1にある文字「%2」(%3) は Shift-JIS で保存できません。
UTF-8 (BOM 付き) のファイルとして保存しますか？</source>
        <translation>Das Zeichen „%2“ (%3) in %1 lässt sich nicht in Shift-JIS speichern.
Die Datei als UTF-8 (mit BOM) speichern?</translation>
    </message>
    <message>
        <source>%1にある文字「%2」(%3) は UTF-8 でも保存できません。</source>
        <translation>Das Zeichen „%2“ (%3) in %1 lässt sich auch in UTF-8 nicht speichern.</translation>
    </message>
    <message>
        <source>データベースを保存できませんでした。元のファイルは変更されていません。
フォルダー %1 を作れませんでした。</source>
        <translation type="vanished">Der Katalog konnte nicht gespeichert werden. Die Datei ist unverändert.
Der Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>データベースを保存できませんでした。元のファイルは変更されていません。
</source>
        <translation>Der Katalog konnte nicht gespeichert werden. Die Datei ist unverändert.
</translation>
    </message>
    <message>
        <source>プログラムのフォルダー %1 には書き込めないため、データベースを次の場所に保存しました。
%2
今後はこのファイルを読み込みます。</source>
        <translation>In den Programmordner %1 lässt sich nicht schreiben, daher wurde der Katalog hier gespeichert:
%2
Ab jetzt wird diese Datei gelesen.</translation>
    </message>
    <message>
        <source>%1 は変更されています。保存しますか？</source>
        <translation>Die Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>%1 はほかのプログラムによって同じ名前のフォルダーに置き換えられました。

フォルダーの場所には保存できません。</source>
        <translation>Ein anderes Programm hat %1 durch einen gleichnamigen Ordner ersetzt.

An der Stelle eines Ordners lässt sich der Katalog nicht speichern.</translation>
    </message>
    <message>
        <source>%1 はほかのプログラムによって、ファイルではないもの（パイプ、デバイス、たどれないリンクなど）に置き換えられました。

上書き保存すると、それを編集中の内容のファイルで置き換えます（その中へは書き込みません）。</source>
        <translation type="vanished">Ein anderes Programm hat %1 durch etwas ersetzt, das keine Datei ist (etwa eine Pipe, ein Gerät oder eine Verknüpfung ins Leere).

Überschreiben ersetzt es durch eine Datei mit den Ereignissen, die Sie bearbeiten; hineingeschrieben wird nichts.</translation>
    </message>
    <message>
        <source>%1 はファイルではない（フォルダー、パイプ、デバイスなど）ため編集できません。</source>
        <translation>%1 lässt sich nicht bearbeiten: Es ist keine Datei (sondern zum Beispiel ein Ordner, eine Pipe oder ein Gerät).</translation>
    </message>
    <message>
        <source>%1 の前回の保存は途中で終わったため、内容が欠けている可能性があります。
</source>
        <translation>Das letzte Speichern von %1 wurde nicht beendet; der Datei kann etwas fehlen.
</translation>
    </message>
    <message>
        <source>保存前の内容は %1.bak にも残っていません。</source>
        <translation>Was %1 vor diesem Speichern enthielt, steht auch nicht in %1.bak.</translation>
    </message>
    <message>
        <source>保存前の内容が %1.bak に残っています。元に戻しますか？</source>
        <translation>%1.bak enthält noch, was in %1 vor diesem Speichern stand. %1.bak an die Stelle von %1 zurücklegen?</translation>
    </message>
    <message>
        <source>%1.bak から元に戻せませんでした。
</source>
        <translation>%1.bak konnte nicht zurückgelegt werden.
</translation>
    </message>
    <message numerus="yes">
        <source>プログラムに付属のデータベースに、このファイルにない事象が %n 件あります。
このファイルに追加しますか？ 今ある事象はそのまま残ります。

「いいえ」を選ぶと、付属のデータベースが新しくなるまでたずねません。</source>
        <translation>
            <numerusform>Der mitgelieferte Katalog enthält ein Ereignis, das dieser Datei fehlt.
Zu dieser Datei hinzufügen? Die vorhandenen Ereignisse bleiben, wie sie sind.

Wenn Sie Nein wählen, werden Sie erst wieder gefragt, wenn sich der mitgelieferte Katalog ändert.</numerusform>
            <numerusform>Der mitgelieferte Katalog enthält %n Ereignisse, die dieser Datei fehlen.
Zu dieser Datei hinzufügen? Die vorhandenen Ereignisse bleiben, wie sie sind.

Wenn Sie Nein wählen, werden Sie erst wieder gefragt, wenn sich der mitgelieferte Katalog ändert.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 件の事象を追加しました。</source>
        <translation>
            <numerusform>Ein Ereignis hinzugefügt.</numerusform>
            <numerusform>%n Ereignisse hinzugefügt.</numerusform>
        </translation>
    </message>
    <message>
        <source>付属のデータベースの事象を追加できませんでした。このファイルは変更されていません。</source>
        <translation>Die Ereignisse aus dem mitgelieferten Katalog konnten nicht hinzugefügt werden. Diese Datei ist unverändert.</translation>
    </message>
    <message>
        <source>文字「%1」(%2) は %3 のファイルに書けません。</source>
        <translation>Das Zeichen „%1“ (%2) lässt sich nicht in eine %3-Datei schreiben.</translation>
    </message>
    <message>
        <source>ほかのプログラムが %1 に書き込み続けています。</source>
        <translation>Ein anderes Programm schreibt fortlaufend in %1. Schließen Sie dieses Programm oder warten Sie, bis es fertig ist, und speichern Sie dann erneut.</translation>
    </message>
    <message>
        <source>%1 の最後の行が閉じていないため、後に行を書き足せません。</source>
        <translation>Die letzte Zeile von %1 ist nicht abgeschlossen, daher können keine Zeilen angefügt werden.</translation>
    </message>
    <message>
        <source>このファイルは UTF-16 の文字の途中で終わっているため、後に行を書き足せません。</source>
        <translation>Diese Datei endet mitten in einem UTF-16-Zeichen, daher können keine Zeilen angefügt werden.</translation>
    </message>
    <message>
        <source>%1 はほかのプログラムによって削除されました。</source>
        <translation>%1 wurde von einem anderen Programm gelöscht.</translation>
    </message>
    <message>
        <source>

上書き保存すると、編集中の内容でファイルを作り直します。</source>
        <translation>

Überschreiben legt die Datei aus dem neu an, was Sie gerade bearbeiten.</translation>
    </message>
    <message>
        <source>%1 はほかのプログラムによって、ファイルではないもの（パイプ、デバイス、たどれないリンクなど）に置き換えられました。</source>
        <translation>Ein anderes Programm hat %1 durch etwas ersetzt, das keine Datei ist (eine Pipe, ein Gerät, ein Link, der ins Leere führt …).</translation>
    </message>
    <message>
        <source>

上書き保存すると、それを編集中の内容のファイルで置き換えます（その中へは書き込みません）。</source>
        <translation>

Überschreiben ersetzt es durch eine Datei mit den Ereignissen, die Sie bearbeiten; hineingeschrieben wird nichts.</translation>
    </message>
    <message>
        <source>
上書き保存すると、ほかのプログラムによる変更はファイルに残したまま、その後に付属の事象を追加します。</source>
        <translation>
Überschreiben behält die Änderung des anderen Programms in der Datei und fügt die mitgelieferten Ereignisse danach an.</translation>
    </message>
    <message>
        <source>フォルダー %1 を作れませんでした。</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>追加の間にほかのプログラムが %1 を書き換えました。次に開いたときにもう一度たずねます。</source>
        <translation>Ein anderes Programm hat %1 geändert, während die Ereignisse angefügt wurden. Sie werden beim nächsten Öffnen erneut gefragt.</translation>
    </message>
    <message>
        <source>

元に戻すと、いまの %1（%2 バイト、%3 に更新）は %1.bak に移して残します。</source>
        <translation>

Das Wiederherstellen bewahrt, was %1 jetzt enthält (%2 Bytes, geändert %3), in %1.bak auf.</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>設定を保存できませんでした。
%1</source>
        <translation type="vanished">Die Einstellungen konnten nicht in dieser Datei gespeichert werden:
%1
Prüfen Sie, ob Datei und Ordner beschreibbar sind und der Datenträger nicht voll ist. Beim nächsten Start gelten die zuvor gespeicherten Einstellungen.</translation>
    </message>
    <message>
        <source>地球暦(西暦)</source>
        <translation>Erddatum (n. Chr.)</translation>
    </message>
    <message>
        <source>年</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>今日</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>月</source>
        <translation>M</translation>
    </message>
    <message>
        <source>日</source>
        <translation>T</translation>
    </message>
    <message>
        <source>日(年間通算)</source>
        <translation>Tag im Jahr</translation>
    </message>
    <message>
        <source>宇宙暦(Quorvane)</source>
        <translation>Sternzeit (Quorvane)</translation>
    </message>
    <message>
        <source>リセットする</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>宇宙暦が指定した値を超えた時、調整するかどうか</source>
        <translation>Ob die Sternzeit umbricht, wenn sie den angegebenen Wert überschreitet</translation>
    </message>
    <message>
        <source>地球暦 ← 宇宙暦</source>
        <translation>Erddatum ← Sternzeit</translation>
    </message>
    <message>
        <source>地球暦 → 宇宙暦</source>
        <translation>Erddatum → Sternzeit</translation>
    </message>
    <message>
        <source>リアルタイム変更 (&amp;R)</source>
        <translation>&amp;Rechnen beim Tippen</translation>
    </message>
    <message>
        <source>ﾃｷｽﾄﾎﾞｯｸｽへの入力と同時に変更するかどうか</source>
        <translation>Ob schon beim Tippen umgerechnet wird</translation>
    </message>
    <message>
        <source>1990 - 2010 年を基準に (&amp;9)</source>
        <translation>Jahre um 1&amp;990 - 2010</translation>
    </message>
    <message>
        <source>西暦を 2000年前後で表示するかどうか</source>
        <translation>Ob Erdjahre nahe 2000 gezeigt werden</translation>
    </message>
    <message>
        <source>データベースの編集</source>
        <translation>Katalog bearbeiten</translation>
    </message>
    <message>
        <source>西暦/宇宙暦データの表示</source>
        <translation>Ereigniskatalog zeigen</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>Beenden (&amp;X)</translation>
    </message>
    <message>
        <source>右クリックメニュー</source>
        <translation>Kontextmenü</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>月</source>
        <comment>screen reader</comment>
        <translation>Monat</translation>
    </message>
    <message>
        <source>日</source>
        <comment>screen reader</comment>
        <translation>Tag</translation>
    </message>
    <message>
        <source>月日</source>
        <comment>screen reader</comment>
        <translation>Monat und Tag</translation>
    </message>
    <message>
        <source>設定を保存できませんでした。
%1
%2</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden.
%1
%2</translation>
    </message>
</context>
</TS>
