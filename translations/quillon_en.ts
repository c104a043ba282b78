<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>quillon</name>
    <message>
        <source>そのファイルやフォルダはない</source>
        <translation>no such file or folder</translation>
    </message>
    <message>
        <source>アクセス権がない</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>フォルダである</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>途中にフォルダでないものがある</source>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>ディスクに空きがない</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>ディスクの割り当てを使い切った</source>
        <translation>the disk quota is used up</translation>
    </message>
    <message>
        <source>読み取り専用のディスクである</source>
        <translation>the disk is read-only</translation>
    </message>
    <message>
        <source>名前が長すぎる</source>
        <translation>the name is too long</translation>
    </message>
    <message>
        <source>理由は不明</source>
        <translation>reason unknown</translation>
    </message>
    <message>
        <source>%1 の読み込みに失敗したわけだが。（%2）</source>
        <translation>Could not read %1. (%2)</translation>
    </message>
    <message>
        <source>%1 の書き込みに失敗したわけだが。（%2）</source>
        <translation>Could not write %1. (%2)</translation>
    </message>
    <message>
        <source>%1 が空なわけだが。</source>
        <translation>%1 is empty.</translation>
    </message>
    <message>
        <source>%1 は普通のファイルではない（パイプかデバイス）ので読まないわけだが。</source>
        <translation>%1 is not a regular file (a pipe or a device), so it is not read.</translation>
    </message>
    <message>
        <source>%1 がないわけだが。先に fetcher で商品データを集めるか、データのあるフォルダを setting.ini の XMLPath に書いてくれ。</source>
        <translation>%1 does not exist. Collect product data with the fetcher first, or write the folder that holds it into XMLPath in setting.ini.</translation>
    </message>
    <message>
        <source>%1 の1行目に開始商品のASINがないわけだが。</source>
        <translation>The first line of %1 holds no start product ASIN.</translation>
    </message>
    <message>
        <source>フォルダ %1 がないわけだが。</source>
        <translation>The folder %1 does not exist.</translation>
    </message>
    <message>
        <source>%1 はフォルダではないわけだが。</source>
        <translation>%1 is not a folder.</translation>
    </message>
    <message>
        <source>XMLPath のフォルダ %1 がないわけだが。</source>
        <translation>The XMLPath folder %1 does not exist.</translation>
    </message>
    <message>
        <source>XMLPath の %1 はフォルダではないわけだが。</source>
        <translation>The XMLPath %1 is not a folder.</translation>
    </message>
    <message>
        <source>XMLPath のフォルダ %1 を開けないわけだが。（アクセス権がない）</source>
        <translation>The XMLPath folder %1 cannot be opened. (permission denied)</translation>
    </message>
    <message>
        <source>ASIN「%1」はファイル名に使えないわけだが。</source>
        <translation>The ASIN &quot;%1&quot; cannot be used as a file name.</translation>
    </message>
    <message>
        <source>開始商品のASIN「%1」の商品はないわけだが。</source>
        <translation>There is no product with the start ASIN &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>%1 の [RequestURL] に Prefix が無いか空なわけだが。書いてからもう一度押してくれ。</source>
        <translation>Prefix in [RequestURL] of %1 is missing or empty. Set it, then press the button again.</translation>
    </message>
    <message>
        <source>商品データを読み込んでいないわけだが。</source>
        <translation>No product data is loaded.</translation>
    </message>
    <message>
        <source>keywords.txt にキーワードがないわけだが。</source>
        <translation>keywords.txt holds no keyword.</translation>
    </message>
    <message>
        <source>予期しないエラーが起きたわけだが。（%1）</source>
        <translation>An unexpected error occurred. (%1)</translation>
    </message>
    <message>
        <source>はい</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取得済 : </source>
        <translation>Fetched: </translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Finished</translation>
    </message>
    <message>
        <source>の応答が10回続けて無効だったわけだが。続ける？</source>
        <translation> gave an invalid answer 10 times in a row. Go on?</translation>
    </message>
    <message>
        <source>の取得に失敗したわけだが。続ける？</source>
        <translation> could not be retrieved. Go on?</translation>
    </message>
    <message>
        <source>答えが MaxAnswerMegabytes の %1 MB (%2 バイト) を超えたので受信を打ち切ったわけだが。</source>
        <translation>The answer was cut off: it is larger than MaxAnswerMegabytes, %1 MB (%2 bytes).</translation>
    </message>
    <message>
        <source>取得中 : </source>
        <translation>Requesting: </translation>
    </message>
    <message>
        <source>取得完了 : </source>
        <translation>Received: </translation>
    </message>
    <message>
        <source>商品データ取得</source>
        <translation>Fetch products</translation>
    </message>
    <message>
        <source>開始商品のASIN</source>
        <translation>Start product ASIN</translation>
    </message>
    <message>
        <source>Quillon 取得テスト</source>
        <translation>Quillon Fetcher</translation>
    </message>
    <message>
        <source>商品データ読み込み中</source>
        <translation>Loading product data</translation>
    </message>
    <message>
        <source>正常終了</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>キーワードの関係を抽出中</source>
        <translation>Finding keyword relations</translation>
    </message>
    <message>
        <source>キーワードを配置中</source>
        <translation>Placing keywords</translation>
    </message>
    <message>
        <source>ぬるぽ</source>
        <translation>Drawing the keyword graph</translation>
    </message>
    <message>
        <source>商品を配置中</source>
        <translation>Placing products</translation>
    </message>
    <message>
        <source>商品の位置を変更中</source>
        <translation>Moving products</translation>
    </message>
    <message>
        <source>キーワードの位置を変更中</source>
        <translation>Moving keywords</translation>
    </message>
    <message>
        <source>グラフ描画中</source>
        <translation>Drawing the graph</translation>
    </message>
    <message>
        <source>商品をセンタリング中</source>
        <translation>Centring products</translation>
    </message>
    <message>
        <source>zzzzグラフ作成</source>
        <translation>zzzz Draw graph</translation>
    </message>
    <message>
        <source>商品データ読込</source>
        <translation>Load products</translation>
    </message>
    <message>
        <source>グラフ作成</source>
        <translation>Draw graph</translation>
    </message>
    <message>
        <source>Quillon グラフ作成</source>
        <translation>Quillon Grapher</translation>
    </message>
    <message>
        <source>保存済み : </source>
        <translation>From stored record: </translation>
    </message>
    <message>
        <source>再試行まで %1 秒 : %2</source>
        <translation>Retrying in %1 s: %2</translation>
    </message>
    <message>
        <source>サービスが混み合っている (HTTP %1) わけだが。</source>
        <translation>The service is busy (HTTP %1).</translation>
    </message>
    <message>
        <source>完了 %1 / 待ち %2 · 毎分 %3 件 · 残り %4</source>
        <translation>Done %1 / queued %2 · %3 per minute · %4 left</translation>
    </message>
    <message>
        <source>要求 %1 件 · 保存済みから %2 件 · 再試行 %3 回 · 商品なし %4 件 · 所要 %5</source>
        <translation>Requested %1 · from stored records %2 · retries %3 · without a product %4 · took %5</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>縮小</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>左へ移動</source>
        <translation>Pan left</translation>
    </message>
    <message>
        <source>右へ移動</source>
        <translation>Pan right</translation>
    </message>
    <message>
        <source>上へ移動</source>
        <translation>Pan up</translation>
    </message>
    <message>
        <source>下へ移動</source>
        <translation>Pan down</translation>
    </message>
    <message>
        <source>移動</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>全体を表示</source>
        <translation>Fit to window</translation>
    </message>
    <message>
        <source>等倍で表示</source>
        <translation>Actual size</translation>
    </message>
    <message>
        <source>検索</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>次を検索</source>
        <translation>Find next</translation>
    </message>
    <message>
        <source>前を検索</source>
        <translation>Find previous</translation>
    </message>
    <message>
        <source>色分け</source>
        <translation>Colour by</translation>
    </message>
    <message>
        <source>標準</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>キーワード別</source>
        <translation>Keyword</translation>
    </message>
    <message>
        <source>売上順位別</source>
        <translation>Sales rank</translation>
    </message>
    <message>
        <source>表示を画像として保存</source>
        <translation>Save view as image</translation>
    </message>
    <message>
        <source>PNG 画像 (*.png);;SVG 画像 (*.svg)</source>
        <translation>PNG image (*.png);;SVG image (*.svg)</translation>
    </message>
    <message>
        <source>選択解除・描画中止</source>
        <translation>Clear selection / cancel drawing</translation>
    </message>
    <message>
        <source>キーワード関連グラフ</source>
        <translation>Keyword relation graph</translation>
    </message>
    <message>
        <source>力学モデルで配置</source>
        <translation>Force-directed layout</translation>
    </message>
    <message>
        <source>表示する線</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>類似商品の線</source>
        <translation>Similarity lines</translation>
    </message>
    <message>
        <source>キーワードの線</source>
        <translation>Keyword lines</translation>
    </message>
    <message>
        <source>キーワードのラベル</source>
        <translation>Keyword labels</translation>
    </message>
    <message>
        <source>乱数の種: %1</source>
        <translation>Seed: %1</translation>
    </message>
    <message>
        <source>答えが AnswerTimeoutSeconds の %1 秒のうちに届き終わらなかったので受信を打ち切ったわけだが。</source>
        <translation>The answer was cut off: it did not come in full within AnswerTimeoutSeconds, %1 s.</translation>
    </message>
    <message>
        <source>答えを受け取るメモリが足りなかったわけだが。MaxAnswerMegabytes を小さくしてほしい。</source>
        <translation>There was not enough memory to receive the answer. Please make MaxAnswerMegabytes smaller.</translation>
    </message>
    <message>
        <source>表示の描画に失敗したわけだが。(%1)</source>
        <translation>The view could not be drawn. (%1)</translation>
    </message>
    <message>
        <source>ASIN またはタイトルの一部</source>
        <translation>ASIN or part of a title</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>該当なし</source>
        <translation>No matches</translation>
    </message>
    <message>
        <source>%1 件</source>
        <translation>%1 matches</translation>
    </message>
    <message>
        <source>%2 / %1 件</source>
        <translation>%2 of %1</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>売上順位</source>
        <translation>Sales rank</translation>
    </message>
    <message>
        <source>キーワード</source>
        <translation>Keyword</translation>
    </message>
    <message>
        <source>類似商品</source>
        <translation>Similar products</translation>
    </message>
    <message>
        <source>参照元</source>
        <translation>Listed by</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>キーワードなし</source>
        <translation>No keyword</translation>
    </message>
    <message>
        <source>描画を中止した</source>
        <translation>Drawing stopped</translation>
    </message>
    <message>
        <source>（タイトル不明）</source>
        <translation>(title unknown)</translation>
    </message>
    <message>
        <source>順位不明</source>
        <translation>Rank unknown</translation>
    </message>
    <message>
        <source>ほか%1件</source>
        <translation>%1 more</translation>
    </message>
    <message>
        <source>フォルダ %1 を作れないわけだが。（%2）</source>
        <translation>Cannot create the folder %1. (%2)</translation>
    </message>
    <message>
        <source>フォルダ切替</source>
        <translation>Switch folder</translation>
    </message>
    <message>
        <source>別のフォルダを開く…</source>
        <translation>Open another folder…</translation>
    </message>
    <message>
        <source>プログラムフォルダを選ぶ</source>
        <translation>Choose a program folder</translation>
    </message>
    <message>
        <source>プログラムフォルダ : </source>
        <translation>Program folder: </translation>
    </message>
    <message>
        <source>%1（%2件）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>PageRank</source>
        <translation>PageRank</translation>
    </message>
    <message>
        <source>PageRank 順</source>
        <translation>By PageRank</translation>
    </message>
    <message>
        <source>すべて</source>
        <translation>All</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>Others</translation>
    </message>
    <message>
        <source>コミュニティ</source>
        <translation>Community</translation>
    </message>
    <message>
        <source>コミュニティ別</source>
        <translation>By community</translation>
    </message>
    <message>
        <source>リンク数</source>
        <translation>Lists</translation>
    </message>
    <message>
        <source>リンク数以内</source>
        <translation>links or fewer</translation>
    </message>
    <message>
        <source>一定</source>
        <translation>Fixed</translation>
    </message>
    <message>
        <source>売上順位順</source>
        <translation>By sales rank</translation>
    </message>
    <message>
        <source>大きさ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>指標</source>
        <translation>Measures</translation>
    </message>
    <message>
        <source>指標を計算できません: %1</source>
        <translation>Cannot compute the measures: %1</translation>
    </message>
    <message>
        <source>指標を計算中: %1（%2/%3）</source>
        <translation>Computing the measures: %1 (%2/%3)</translation>
    </message>
    <message>
        <source>次数</source>
        <translation>Degrees</translation>
    </message>
    <message>
        <source>絞り込み</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>薄くせず隠す</source>
        <translation>Hide instead of fading</translation>
    </message>
    <message>
        <source>表示 %1 / %2 件</source>
        <translation>Showing %1 of %2</translation>
    </message>
    <message>
        <source>被リンク数</source>
        <translation>Listed by</translation>
    </message>
    <message>
        <source>被リンク数順</source>
        <translation>By times listed</translation>
    </message>
    <message>
        <source>解除</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>計算中</source>
        <translation>Computing</translation>
    </message>
    <message>
        <source>連結成分</source>
        <translation>Component</translation>
    </message>
    <message>
        <source>連結成分別</source>
        <translation>By component</translation>
    </message>
    <message>
        <source>選択商品の近傍のみ</source>
        <translation>Only near the selected product</translation>
    </message>
    <message>
        <source>次数分布</source>
        <translation>Degree distribution</translation>
    </message>
    <message>
        <source>商品数</source>
        <translation>Products</translation>
    </message>
    <message>
        <source>%1（次数 0 の %2 件は表示せず）</source>
        <translation>%1 (%2 with degree 0 not shown)</translation>
    </message>
    <message>
        <source>キーワード別の売上順位</source>
        <translation>Sales ranks by keyword</translation>
    </message>
    <message>
        <source>コミュニティの大きさ</source>
        <translation>Community sizes</translation>
    </message>
    <message>
        <source>%1（大きい順に %2 / %3 個、番号と主なキーワード）</source>
        <translation>%1 (largest %2 of %3, by number and leading keyword)</translation>
    </message>
    <message>
        <source>選択商品の近傍のキーワード</source>
        <translation>Keywords around the selection</translation>
    </message>
    <message>
        <source>%1（%2 から %3 リンク以内の %4 件）</source>
        <translation>%1 (%4 products within %3 links of %2)</translation>
    </message>
    <message>
        <source>商品を選択すると近傍のキーワードを表示します</source>
        <translation>Select a product to see the keywords around it</translation>
    </message>
    <message>
        <source>指標の計算を待っています</source>
        <translation>Waiting for the measures</translation>
    </message>
    <message>
        <source>統計</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>近傍のキーワード</source>
        <translation>Keywords around</translation>
    </message>
    <message>
        <source>グラフを保存</source>
        <translation>Save plot</translation>
    </message>
    <message>
        <source>類似商品グラフの統計</source>
        <translation>Statistics of the similar-products graph</translation>
    </message>
    <message>
        <source>件数</source>
        <translation>Counts</translation>
    </message>
    <message>
        <source>商品の数</source>
        <translation>Products</translation>
    </message>
    <message>
        <source>リンクの数</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>キーワードの数</source>
        <translation>Keywords</translation>
    </message>
    <message>
        <source>コミュニティの数</source>
        <translation>Communities</translation>
    </message>
    <message>
        <source>連結成分の数</source>
        <translation>Components</translation>
    </message>
    <message>
        <source>コミュニティ一覧</source>
        <translation>Communities</translation>
    </message>
    <message>
        <source>モジュラリティ</source>
        <translation>Modularity</translation>
    </message>
    <message>
        <source>PageRank 上位 %1 商品</source>
        <translation>Top %1 products by PageRank</translation>
    </message>
    <message>
        <source>被リンク数 上位 %1 商品</source>
        <translation>Top %1 products by in-degree</translation>
    </message>
    <message>
        <source>順位</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>主なキーワード</source>
        <translation>Leading keywords</translation>
    </message>
    <message>
        <source>売上順位が最も高い商品</source>
        <translation>Best-ranked product</translation>
    </message>
    <message>
        <source>グラフ</source>
        <translation>Plots</translation>
    </message>
    <message>
        <source>—</source>
        <translation>—</translation>
    </message>
    <message>
        <source>商品一覧</source>
        <translation>Product table</translation>
    </message>
    <message>
        <source>選択した行をコピー</source>
        <translation>Copy selected rows</translation>
    </message>
    <message>
        <source>表示中の行を CSV で保存</source>
        <translation>Save visible rows as CSV</translation>
    </message>
    <message>
        <source>CSV ファイル (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>%1 / %2 行</source>
        <translation>%1 of %2 rows</translation>
    </message>
    <message>
        <source>停止 (残り %1 件)</source>
        <translation>stopped (%1 left)</translation>
    </message>
    <message>
        <source>上限 %1 件で打ち切り (残り %2 件)</source>
        <translation>ended at the limit of %1 products (%2 left)</translation>
    </message>
    <message>
        <source>深さ %1 で打ち切り (辿らなかった商品 %2 件)</source>
        <translation>ended at depth %1 (%2 similar products not followed)</translation>
    </message>
    <message>
        <source>諦めた商品 %1 件: %2</source>
        <translation>gave up on %1 products: %2</translation>
    </message>
    <message>
        <source>この商品は諦める</source>
        <translation>Give up on this product</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>一時停止</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>再開</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>%1 · %2</source>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>諦めた商品 %1 件: %2。取得済みの記録は使い、これらをもう一度取得する？</source>
        <translation>Gave up on %1 products: %2. Ask for them again, keeping the records already fetched?</translation>
    </message>
    <message>
        <source>この開始商品を前に取得したときの記録が残っているわけだが。続きから取得する？（いいえ: 最初から全部取り直す）</source>
        <translation>Records of an earlier crawl from this start product are there. Go on from them? (No: ask for everything again)</translation>
    </message>
</context>
</TS>
