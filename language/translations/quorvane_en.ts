<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CatalogueMessages</name>
    <message numerus="yes">
        <source>読み込めなかったデータ：%n 件</source>
        <translation>
            <numerusform>%n event could not be read.</numerusform>
            <numerusform>%n events could not be read.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>ほかに %n 件の誤りがあります（%1 件を超える分は示しません）</source>
        <translation>
            <numerusform>%n more error (no more than %1 are listed)</numerusform>
            <numerusform>%n more errors (no more than %1 are listed)</numerusform>
        </translation>
    </message>
    <message>
        <source>100 万件</source>
        <translation>1,000,000 events</translation>
    </message>
    <message>
        <source>見出しもデータもありません</source>
        <translation>no heading line and no events</translation>
    </message>
    <message>
        <source>見出しの後にデータがありません</source>
        <translation>no events after the heading line</translation>
    </message>
    <message>
        <source>空の行があります</source>
        <translation>a blank line</translation>
    </message>
    <message>
        <source>「&quot;」が閉じていません</source>
        <translation>a &quot; is never closed</translation>
    </message>
    <message>
        <source>閉じた「&quot;」の後に文字があります</source>
        <translation>text after a closing &quot;</translation>
    </message>
    <message>
        <source>項目が 4 つそろっていません</source>
        <translation>not exactly 4 items</translation>
    </message>
    <message>
        <source>日付が正しくありません</source>
        <translation>not a valid date</translation>
    </message>
    <message>
        <source>#NULL# は出典にしか使えません</source>
        <translation>#NULL# can stand only as the source</translation>
    </message>
    <message>
        <source>エラー値は使えません</source>
        <translation>error values cannot be used</translation>
    </message>
    <message>
        <source>日付の欄が日付でも数値でもありません</source>
        <translation>the date is neither a date nor a number</translation>
    </message>
    <message>
        <source>数値が大きすぎます</source>
        <translation>the number is too large</translation>
    </message>
    <message>
        <source>同じ事象がすでにあります</source>
        <translation>an event with this title is already listed</translation>
    </message>
    <message>
        <source>UTF-8 として読めない文字があります</source>
        <translation>characters that cannot be read as UTF-8</translation>
    </message>
    <message>
        <source>Shift-JIS として読めない文字があります</source>
        <translation>characters that cannot be read as Shift-JIS</translation>
    </message>
    <message>
        <source>UTF-16 として読めない文字があります</source>
        <translation>characters that cannot be read as UTF-16</translation>
    </message>
    <message>
        <source>NUL 文字があります</source>
        <translation>a NUL character</translation>
    </message>
    <message>
        <source>データが %1を超えています</source>
        <translation>more than %1</translation>
    </message>
    <message>
        <source>読めないデータがあります</source>
        <translation>data that cannot be read</translation>
    </message>
    <message>
        <source>%1 が見つかりません。</source>
        <translation>%1 cannot be found.</translation>
    </message>
    <message>
        <source>%1 はファイルではありません。</source>
        <translation>%1 is not a file (for example a folder, a pipe or a device).</translation>
    </message>
    <message>
        <source>%1 を読み込めません。</source>
        <translation>%1 cannot be read.</translation>
    </message>
    <message>
        <source>%1 は大きすぎるため読み込めません。（%2 まで）</source>
        <translation>%1 is larger than %2, which Quorvane cannot read.</translation>
    </message>
    <message>
        <source>%1 の %2 行目に誤りがあります（%3）。</source>
        <translation>Line %2 of %1 has an error (%3).</translation>
    </message>
    <message>
        <source>%1 には事象がありません（%2）。</source>
        <translation>%1 holds no events (%2).</translation>
    </message>
    <message>
        <source>ファイルが %1 を超えるため、保存すると読み込めなくなります。</source>
        <translation>The file would be larger than %1, which Quorvane cannot read back.</translation>
    </message>
    <message>
        <source>事象が %1を超えるため、保存すると超えた分を読み込めなくなります。</source>
        <translation>The catalogue would hold more than %1, and Quorvane cannot read back the events beyond them.</translation>
    </message>
    <message>
        <source>この形式では項目の中に「&quot;」を書けません</source>
        <translation>this format cannot hold a &quot; inside an item</translation>
    </message>
    <message>
        <source>この形式では項目の中に改行を書けません</source>
        <translation>this format cannot hold a line break inside an item</translation>
    </message>
    <message>
        <source>この形式では項目の中に NUL 文字を書けません</source>
        <translation>this format cannot hold a NUL character inside an item</translation>
    </message>
    <message>
        <source>この形式では書けない値です</source>
        <translation>this format cannot hold this value</translation>
    </message>
    <message>
        <source>日付は宇宙暦（例 41153.7）か西暦（例 2063-04-05）で入力してください</source>
        <translation>Enter a stardate (like 41153.7) or an Earth date (like 2063-04-05)</translation>
    </message>
    <message>
        <source>「&quot;」は使えません</source>
        <translation>A &quot; cannot be used here</translation>
    </message>
    <message>
        <source>改行は使えません</source>
        <translation>A line break cannot be used here</translation>
    </message>
    <message>
        <source>事象を入力してください</source>
        <translation>Enter the event</translation>
    </message>
    <message>
        <source>詳細を入力してください</source>
        <translation>Enter the details</translation>
    </message>
    <message>
        <source>%1 番目の項目は保存できません（%2）</source>
        <translation>item %1 cannot be saved (%2)</translation>
    </message>
</context>
<context>
    <name>CatalogueSave</name>
    <message>
        <source>%1 に書き込む権限がありません。</source>
        <translation>You have no permission to write %1.</translation>
    </message>
    <message>
        <source>%1 を書き込めませんでした。ディスクの空きが足りない可能性があります。</source>
        <translation>Could not write %1. The disk may be full.</translation>
    </message>
    <message>
        <source>%1 を置き換えられませんでした。ほかのプログラムが使用中の可能性があります。</source>
        <translation>Could not replace %1. Another program may be using it.</translation>
    </message>
    <message>
        <source>%1 を書き込めませんでした。</source>
        <translation>Could not write %1.</translation>
    </message>
    <message>
        <source>
元の内容を戻せませんでした。%1.bak に保存してあります。</source>
        <translation>
The old contents could not be put back. They are kept in %1.bak.</translation>
    </message>
    <message>
        <source>%1 を読めませんでした。
(%2)</source>
        <translation>Could not read %1.
(%2)</translation>
    </message>
    <message>
        <source>%1 という名前のフォルダーがあるため、ファイルとして保存できません。</source>
        <translation>A folder named %1 is in the way, so the catalogue cannot be saved there as a file.</translation>
    </message>
    <message>
        <source>ほかのプログラムが %1 を保存しているところです。少し待ってから、もう一度保存してください。</source>
        <translation>Another program is saving %1 right now. Wait a moment, then save again.</translation>
    </message>
    <message>
        <source>%1 を開けませんでした。
(%2)</source>
        <translation>Could not open %1.
(%2)</translation>
    </message>
    <message>
        <source>%1.bak を開けませんでした。
(%2)</source>
        <translation>Could not open %1.bak.
(%2)</translation>
    </message>
    <message>
        <source>%1.bak を読めませんでした。
(%2)</source>
        <translation>Could not read %1.bak.
(%2)</translation>
    </message>
    <message>
        <source>%1.bak は %1 と同じファイル（ハードリンク）のため、保存前の内容を残せません。
%1.bak を削除するか名前を変えてから、もう一度保存してください。</source>
        <translation>%1.bak is the same file as %1 (a hard link), so the previous contents cannot be kept.
Delete or rename %1.bak, then save again.</translation>
    </message>
    <message>
        <source>
元に戻す前の内容は %1.bak にあります。</source>
        <translation>
The contents before the restore are in %1.bak.</translation>
    </message>
</context>
<context>
    <name>Conversion</name>
    <message>
        <source>年の指定が無効です。</source>
        <translation>The year is not valid.</translation>
    </message>
    <message>
        <source>年間通算日の指定が無効です。</source>
        <translation>The day of the year is not valid.</translation>
    </message>
    <message>
        <source>日付の指定が無効です。</source>
        <translation>The date is not valid.</translation>
    </message>
    <message>
        <source>西暦が 100 年から 9999 年の範囲を外れます。</source>
        <translation>the Earth date falls outside the years 100 to 9999</translation>
    </message>
</context>
<context>
    <name>EventTableModel</name>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>換算日付</source>
        <translation>Converted date</translation>
    </message>
    <message>
        <source>この欄は変更できません</source>
        <translation>This column cannot be changed</translation>
    </message>
</context>
<context>
    <name>MissingFileQuestion</name>
    <message>
        <source>%1 がありません。自分でさがしますか？</source>
        <translation>%1 is missing. Would you like to look for it yourself?</translation>
    </message>
</context>
<context>
    <name>OpenDialog</name>
    <message>
        <source>Quorvane ﾃﾞｰﾀﾍﾞｰｽﾌｧｲﾙ(*.vqd)</source>
        <translation>Quorvane catalogues (*.vqd)</translation>
    </message>
    <message>
        <source>ﾃｷｽﾄﾌｧｲﾙ(*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <source>すべてのﾌｧｲﾙ(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
</context>
<context>
    <name>ProgramOptions</name>
    <message>
        <source>この引数は使えません: %1</source>
        <translation>This argument is not accepted: %1</translation>
    </message>
    <message>
        <source>%1 が 2 度あります。</source>
        <translation>%1 is given twice.</translation>
    </message>
    <message>
        <source>%1 には値が要ります。</source>
        <translation>%1 needs a value.</translation>
    </message>
    <message>
        <source>%1 はほかの引数と一緒には使えません。</source>
        <translation>%1 takes no other arguments.</translation>
    </message>
    <message>
        <source>使い方: quorvane [--language %1|system]
        quorvane --check-install</source>
        <translation>Usage: quorvane [--language %1|system]
       quorvane --check-install</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Paste</translation>
    </message>
</context>
<context>
    <name>RealPlatform</name>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>保存しない(&amp;N)</source>
        <translation>Do&amp;n&apos;t Save</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>再読み込み(&amp;R)</source>
        <translation>&amp;Reload</translation>
    </message>
    <message>
        <source>上書き保存(&amp;O)</source>
        <translation>&amp;Overwrite</translation>
    </message>
    <message>
        <source>ファイルを開く</source>
        <translation>Open</translation>
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
        <translation>The settings folder cannot be created%1. Check that the folder above it can be written to.</translation>
    </message>
    <message>
        <source>ほかの Quorvane が設定を保存していて、終わるのを待ちきれませんでした。ほかの Quorvane が応答しているか確かめてください。</source>
        <translation>Another Quorvane is saving the settings and did not finish in time. Check that the other Quorvane is responding.</translation>
    </message>
    <message>
        <source>設定ファイルの場所に、ファイルではないもの（フォルダー、パイプ、デバイスなど）があります。それを移すか消してください。</source>
        <translation>Something that is not a file (a folder, a pipe, a device) stands where the settings file belongs. Move it away or delete it.</translation>
    </message>
    <message>
        <source>設定ファイルを読めません%1。ファイルの読み取り権限を確かめてください。</source>
        <translation>The settings file cannot be read%1. Check that you may read it.</translation>
    </message>
    <message>
        <source>設定ファイルが大きすぎて読めません（16 MiB まで）。中身を確かめてください。</source>
        <translation>The settings file is too large to read (16 MiB at most). Check what it holds.</translation>
    </message>
    <message>
        <source>保存すると設定ファイルが大きすぎて読めなくなります（16 MiB まで）。中身を確かめてください。</source>
        <translation>Saving would make the settings file too large to read again (16 MiB at most). Check what it holds.</translation>
    </message>
    <message>
        <source>設定を書き込めません%1。書き込み権限と空き容量を確かめてください。</source>
        <translation>The settings cannot be written%1. Check that you may write there and that the disk has room.</translation>
    </message>
</context>
<context>
    <name>UiFace</name>
    <message>
        <source>--language には %1 または system を指定してください（「%2」は使えません）。</source>
        <translation>--language takes %1 or system (&quot;%2&quot; is not one of them).</translation>
    </message>
    <message>
        <source>表示言語の選択を設定に保存できませんでした。
%1
%2</source>
        <translation>Could not store the choice of display language in the settings.
%1
%2</translation>
    </message>
</context>
<context>
    <name>WebPage</name>
    <message>
        <source>地球暦をクリア (&amp;E)</source>
        <translation>Clear the &amp;Earth date</translation>
    </message>
    <message>
        <source>宇宙暦をクリア (&amp;S)</source>
        <translation>Clear the &amp;stardate</translation>
    </message>
    <message>
        <source>表示言語：</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>自分のファイルを開く：</source>
        <translation>Open your own file:</translation>
    </message>
    <message>
        <source>ファイルはこの端末の中だけで読み、どこにも送りません。</source>
        <translation>The file is read on this device only and is never sent anywhere.</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>変換の部品が動きませんでした。ページを再読み込みしてください。</source>
        <translation>The converter is not working. Please reload the page.</translation>
    </message>
    <message>
        <source>%1 を読み込めませんでした。自分のファイルを開くこともできます。</source>
        <translation>Could not load %1. You can also open your own file.</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source> Quorvane ～宇宙暦・西暦 換算 ～</source>
        <translation> Quorvane ~ Stardate and Earth Date Converter ~</translation>
    </message>
    <message>
        <source>宇宙暦ﾉｰﾄ</source>
        <translation>Stardate Notes</translation>
    </message>
    <message>
        <source> Quorvane ～宇宙暦・西暦 換算 ～ ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation> About Quorvane ~ Stardate and Earth Date Converter ~</translation>
    </message>
    <message>
        <source>ｼｽﾃﾑ情報(&amp;S)...</source>
        <translation>&amp;System Info...</translation>
    </message>
    <message>
        <source>このソフトの最新版は．．．</source>
        <translation>The latest version is at...</translation>
    </message>
    <message>
        <source>ご意見・ご感想は．．．</source>
        <translation>Comments and feedback to...</translation>
    </message>
    <message>
        <source>ｽﾀｰﾄﾚｯｸｺｰﾅｰ(%1)は．．．</source>
        <translation>The Star Trek pages (%1) are at...</translation>
    </message>
    <message>
        <source>現時点ではｼｽﾃﾑ情報を使用できません</source>
        <translation>System Information is not available at this time</translation>
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
        <translation>Event:</translation>
    </message>
    <message>
        <source>詳細：</source>
        <translation>Details:</translation>
    </message>
    <message>
        <source>出典：</source>
        <translation>Source:</translation>
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
        <translation>%1 is too large to read, so it cannot be edited.</translation>
    </message>
    <message>
        <source>%1 の見出しの行を読めないため編集できません。</source>
        <translation>The heading line of %1 cannot be read, so it cannot be edited.</translation>
    </message>
    <message>
        <source>%1 を読み込めませんでした。</source>
        <translation>%1 cannot be read.</translation>
    </message>
    <message>
        <source>%1 はほかのプログラムによって変更されました。

再読み込みすると、変更後のファイルを表示します。</source>
        <translation>%1 has been changed by another program.

Reload shows the file as that program left it.</translation>
    </message>
    <message>
        <source>この画面で保存していない変更は失われます。</source>
        <translation> Changes you have not saved here will be lost.</translation>
    </message>
    <message>
        <source>
上書き保存すると、ほかのプログラムによる変更は %1.bak にだけ残ります。</source>
        <translation>
Overwrite keeps the other program&apos;s version of %1 only in %1.bak.</translation>
    </message>
    <message>
        <source>
キャンセルすると、何も書き込まず編集を続けます。</source>
        <translation>
Cancel writes nothing and lets you go on editing.</translation>
    </message>
    <message>
        <source>保存しませんでした。</source>
        <translation>Not saved.</translation>
    </message>
    <message>
        <source>絞り込み(&amp;F)：</source>
        <translation>&amp;Filter:</translation>
    </message>
    <message>
        <source>事象と詳細から探します</source>
        <translation>Search events and details</translation>
    </message>
    <message>
        <source>絞り込み</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>事象の一覧</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>追加(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>選んだ行の後に新しい事象を加えます</source>
        <translation>Add a new event after the selected row</translation>
    </message>
    <message>
        <source>複製(&amp;C)</source>
        <translation>Dupli&amp;cate</translation>
    </message>
    <message>
        <source>選んだ行の写しを後に加えます</source>
        <translation>Add a copy of the selected row after it</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>選んだ行を削除します</source>
        <translation>Delete the selected row</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>元に戻す (Ctrl+Z)</source>
        <translation>Undo (Ctrl+Z)</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>やり直し (Ctrl+Y)</source>
        <translation>Redo (Ctrl+Y)</translation>
    </message>
    <message>
        <source>日付を主画面へ(&amp;M)</source>
        <translation>Date to &amp;Main Window</translation>
    </message>
    <message>
        <source>選んだ事象の日付を変換画面に入れます (行のダブルクリックでも)</source>
        <translation>Put the selected event&apos;s date into the converter (or double-click the row)</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>保存 (Ctrl+S)</source>
        <translation>Save (Ctrl+S)</translation>
    </message>
    <message>
        <source>閉じる(&amp;X)</source>
        <translation>Clos&amp;e</translation>
    </message>
    <message>
        <source>データベースの編集 - </source>
        <translation>Edit Catalogue - </translation>
    </message>
    <message>
        <source>ファイル：</source>
        <translation>File: </translation>
    </message>
    <message>
        <source>
読み込めなかった %1 行はそのまま残し、保存しても元の位置に書き戻します。</source>
        <translation>
Lines that could not be read (%1 in this file) are kept as they are and written back in place when you save.</translation>
    </message>
    <message>
        <source>新しい事象</source>
        <translation>New event</translation>
    </message>
    <message>
        <source>詳細</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>読み込めなかった %1 行目は %2 の文字として正しくありません。
この行は読み込んだときのまま書き戻すため、保存したファイルには別の文字コードの行が混ざります。
保存しますか？</source>
        <translation>Unreadable line %1 is not valid %2 text.
It is written back exactly as it was read, so the saved file will mix lines of another encoding.
Save anyway?</translation>
    </message>
    <message>
        <source>%1 件目の事象の前にある読み込めなかった行</source>
        <translation>the unreadable line before event %1</translation>
    </message>
    <message>
        <source>最後の読み込めなかった行</source>
        <translation>the last unreadable line</translation>
    </message>
    <message>
        <source>見出しの行</source>
        <translation>the heading line</translation>
    </message>
    <message>
        <source>%1 件目の事象「%2」の「%3」欄（%4 列目）</source>
        <translation>event %1 &quot;%2&quot;, field &quot;%3&quot; (column %4)</translation>
    </message>
    <message>
        <source>%1に「%2」(%3) があります。
%4。このままでは保存できません。</source>
        <translation>There is &quot;%2&quot; (%3) in %1.
%4. The file cannot be saved like this.</translation>
    </message>
    <message>
        <source>%1にある文字「%2」(%3) は %4 で保存できません。</source>
        <translation>The character &quot;%2&quot; (%3) in %1 cannot be saved in %4.</translation>
    </message>
    <message>
        <source>%1にある文字「%2」(%3) は Shift-JIS で保存できません。
UTF-8 (BOM 付き) のファイルとして保存しますか？</source>
        <translation>The character &quot;%2&quot; (%3) in %1 cannot be saved in Shift-JIS.
Save the file as UTF-8 (with BOM)?</translation>
    </message>
    <message>
        <source>%1にある文字「%2」(%3) は UTF-8 でも保存できません。</source>
        <translation>The character &quot;%2&quot; (%3) in %1 cannot be saved in UTF-8 either.</translation>
    </message>
    <message>
        <source>データベースを保存できませんでした。元のファイルは変更されていません。
フォルダー %1 を作れませんでした。</source>
        <translation type="vanished">Could not save the catalogue. The file is unchanged.
Could not create the folder %1.</translation>
    </message>
    <message>
        <source>データベースを保存できませんでした。元のファイルは変更されていません。
</source>
        <translation>Could not save the catalogue. The file is unchanged.
</translation>
    </message>
    <message>
        <source>プログラムのフォルダー %1 には書き込めないため、データベースを次の場所に保存しました。
%2
今後はこのファイルを読み込みます。</source>
        <translation>The program&apos;s folder %1 cannot be written to, so the catalogue was saved here:
%2
This file is read from now on.</translation>
    </message>
    <message>
        <source>%1 は変更されています。保存しますか？</source>
        <translation>Save the changes to %1?</translation>
    </message>
    <message>
        <source>%1 はほかのプログラムによって同じ名前のフォルダーに置き換えられました。

フォルダーの場所には保存できません。</source>
        <translation>Another program has replaced %1 with a folder of the same name.

The catalogue cannot be saved where a folder stands.</translation>
    </message>
    <message>
        <source>%1 はファイルではない（フォルダー、パイプ、デバイスなど）ため編集できません。</source>
        <translation>%1 cannot be edited: it is not a file (for example a folder, a pipe or a device).</translation>
    </message>
    <message>
        <source>%1 の前回の保存は途中で終わったため、内容が欠けている可能性があります。
</source>
        <translation>The last save of %1 did not finish, so the file may be incomplete.
</translation>
    </message>
    <message>
        <source>保存前の内容は %1.bak にも残っていません。</source>
        <translation>What %1 held before that save is not in %1.bak either.</translation>
    </message>
    <message>
        <source>保存前の内容が %1.bak に残っています。元に戻しますか？</source>
        <translation>%1.bak still holds what %1 held before that save. Put %1.bak back in place of %1?</translation>
    </message>
    <message>
        <source>%1.bak から元に戻せませんでした。
</source>
        <translation>Could not put back %1.bak.
</translation>
    </message>
    <message numerus="yes">
        <source>プログラムに付属のデータベースに、このファイルにない事象が %n 件あります。
このファイルに追加しますか？ 今ある事象はそのまま残ります。

「いいえ」を選ぶと、付属のデータベースが新しくなるまでたずねません。</source>
        <translation>
            <numerusform>The catalogue that comes with the program has an event this file lacks.
Add it to this file? The events already here stay as they are.

If you choose No, you will not be asked again until the program&apos;s catalogue changes.</numerusform>
            <numerusform>The catalogue that comes with the program has %n events this file lacks.
Add them to this file? The events already here stay as they are.

If you choose No, you will not be asked again until the program&apos;s catalogue changes.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 件の事象を追加しました。</source>
        <translation>
            <numerusform>Added one event.</numerusform>
            <numerusform>Added %n events.</numerusform>
        </translation>
    </message>
    <message>
        <source>付属のデータベースの事象を追加できませんでした。このファイルは変更されていません。</source>
        <translation>The events from the program&apos;s catalogue could not be added. This file has not been changed.</translation>
    </message>
    <message>
        <source>文字「%1」(%2) は %3 のファイルに書けません。</source>
        <translation>The character &quot;%1&quot; (%2) cannot be written in a %3 file.</translation>
    </message>
    <message>
        <source>ほかのプログラムが %1 に書き込み続けています。</source>
        <translation>Another program keeps writing to %1. Close that program or wait until it has finished, then save again.</translation>
    </message>
    <message>
        <source>%1 の最後の行が閉じていないため、後に行を書き足せません。</source>
        <translation>The last line of %1 is not closed, so no lines can be added after it.</translation>
    </message>
    <message>
        <source>このファイルは UTF-16 の文字の途中で終わっているため、後に行を書き足せません。</source>
        <translation>This file ends in the middle of a UTF-16 character, so no lines can be added after it.</translation>
    </message>
    <message>
        <source>%1 はほかのプログラムによって削除されました。</source>
        <translation>%1 has been deleted by another program.</translation>
    </message>
    <message>
        <source>

上書き保存すると、編集中の内容でファイルを作り直します。</source>
        <translation>

Overwrite writes the file again from what you are editing.</translation>
    </message>
    <message>
        <source>%1 はほかのプログラムによって、ファイルではないもの（パイプ、デバイス、たどれないリンクなど）に置き換えられました。</source>
        <translation>Another program has replaced %1 with something that is not a file (a pipe, a device, a link that leads nowhere...).</translation>
    </message>
    <message>
        <source>

上書き保存すると、それを編集中の内容のファイルで置き換えます（その中へは書き込みません）。</source>
        <translation>

Overwrite replaces it with a file holding the events you are editing; nothing is written into it.</translation>
    </message>
    <message>
        <source>
上書き保存すると、ほかのプログラムによる変更はファイルに残したまま、その後に付属の事象を追加します。</source>
        <translation>
Overwrite keeps the other program&apos;s change in the file and adds the program&apos;s events after it.</translation>
    </message>
    <message>
        <source>フォルダー %1 を作れませんでした。</source>
        <translation>Could not create the folder %1.</translation>
    </message>
    <message>
        <source>追加の間にほかのプログラムが %1 を書き換えました。次に開いたときにもう一度たずねます。</source>
        <translation>Another program changed %1 while the events were being added. You will be asked again the next time it opens.</translation>
    </message>
    <message>
        <source>

元に戻すと、いまの %1（%2 バイト、%3 に更新）は %1.bak に移して残します。</source>
        <translation>

A restore keeps what %1 holds now (%2 bytes, changed %3) in %1.bak.</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>設定を保存できませんでした。
%1</source>
        <translation type="vanished">Could not save the settings to this file:
%1
Check that the file and its folder can be written and that the disk is not full. The next start uses the settings saved before.</translation>
    </message>
    <message>
        <source>地球暦(西暦)</source>
        <translation>Earth date (AD)</translation>
    </message>
    <message>
        <source>年</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>今日</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>月</source>
        <translation>M</translation>
    </message>
    <message>
        <source>日</source>
        <translation>D</translation>
    </message>
    <message>
        <source>日(年間通算)</source>
        <translation>Day of year</translation>
    </message>
    <message>
        <source>宇宙暦(Quorvane)</source>
        <translation>Stardate (Quorvane)</translation>
    </message>
    <message>
        <source>リセットする</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>宇宙暦が指定した値を超えた時、調整するかどうか</source>
        <translation>Whether to wrap the stardate when it passes the given value</translation>
    </message>
    <message>
        <source>地球暦 ← 宇宙暦</source>
        <translation>Earth date ← Stardate</translation>
    </message>
    <message>
        <source>地球暦 → 宇宙暦</source>
        <translation>Earth date → Stardate</translation>
    </message>
    <message>
        <source>リアルタイム変更 (&amp;R)</source>
        <translation>&amp;Real-time conversion</translation>
    </message>
    <message>
        <source>ﾃｷｽﾄﾎﾞｯｸｽへの入力と同時に変更するかどうか</source>
        <translation>Whether to convert as you type</translation>
    </message>
    <message>
        <source>1990 - 2010 年を基準に (&amp;9)</source>
        <translation>Years around 1&amp;990 - 2010</translation>
    </message>
    <message>
        <source>西暦を 2000年前後で表示するかどうか</source>
        <translation>Whether to show Earth years near 2000</translation>
    </message>
    <message>
        <source>データベースの編集</source>
        <translation>Edit the catalogue</translation>
    </message>
    <message>
        <source>西暦/宇宙暦データの表示</source>
        <translation>Show the catalogue of events</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>右クリックメニュー</source>
        <translation>Right-click menu</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>月</source>
        <comment>screen reader</comment>
        <translation>Month</translation>
    </message>
    <message>
        <source>日</source>
        <comment>screen reader</comment>
        <translation>Day</translation>
    </message>
    <message>
        <source>月日</source>
        <comment>screen reader</comment>
        <translation>Month and day</translation>
    </message>
    <message>
        <source>設定を保存できませんでした。
%1
%2</source>
        <translation>Could not save the settings.
%1
%2</translation>
    </message>
</context>
</TS>
