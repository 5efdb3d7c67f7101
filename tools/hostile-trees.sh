#!/usr/bin/env bash
# Makes, from the Linux side, the folder trees that a Windows program could
# never make itself: names with characters Windows refuses, names Windows would
# change, names whose characters have no code page 932 form, a name of 255
# bytes, deep trees, names that differ in letter case alone and links. The
# hostile-name tests scan them under Wine (C:\soratn2-hostile).
#
#   hostile-trees.sh DIR      DIR is made anew
set -euo pipefail
dir=${1:?directory}
rm -rf "$dir"
mkdir -p "$dir"
cd "$dir"

# names: one folder of each kind the scan must leave out, each with a folder
# inside it, beside folders it must keep, among them names without a code
# page 932 form.
mkdir names
(
  cd names
  for name in \
    '..¥..¥x' 'abc¥' '価格¥100' 'a\b' 'café' 'naïve' '😀' '𠮷' '한글' \
    $'cr\r\nlf' $'tab\tname' 'dot.' 'space ' '...' 'CON' 'aux' 'lpt1.txt' 'Com9.tar.gz' \
    'q?x' 'co:lon' 'st*r' 'lt<gt>' 'pi|pe' 'quo"te' $'latin1-caf\xe9'; do
    mkdir -p "$name/inside"
  done
  mkdir -p good/inner 'Data.old' 'ソ表' 'a.b' ' lead' 'CONSOLE' 'COM10' 'LPT'
)

# one: a single name to leave out, for the exact notice.
mkdir -p 'one/q?x/inside' one/ok

# exact: names from Mac and web input that look like Japanese punctuation but
# have no code page 932 form (〜 U+301C, − U+2212, — U+2014, ‖ U+2016, ¢ £ ¬),
# and others from abroad, in a source and a destination whose own names have
# one too; beside them names the scan must still leave out.
mkdir -p exact/納品〜控え
(
  cd exact
  mkdir -p 営業〜企画
  cd 営業〜企画
  mkdir -p '4月〜6月/A−B' 'café/naïve' '😀' '한글/𠮷野家' '価格¥100' '見積—改‖' '¢£¬' 'ok/ソ表' 'ｶﾅ～全角'
  mkdir -p 'q?x/inside' 'CON' 'dot.'
)

# long: a name of 255 bytes, the most Linux and NTFS allow, with a folder in it.
mkdir -p "long/$(printf 'n%.0s' $(seq 255))/inside" long/short

# japanese: 14 levels of a 36-character name (518 characters, 1,050 bytes in
# code page 932, 1,500 in UTF-8), with branches: one near the top, one deep
# down whose names hold 〜 (U+301C, no code page 932 form).
jp='令和七年度顧客別見積書及び納品書控え一式営業部第二課担当分保管用資料原本'
path=japanese
for level in $(seq 14); do
  path="$path/$jp"
  [ "$level" = 2 ] && mkdir -p "$path/支店別/大阪"
  [ "$level" = 12 ] && mkdir -p "$path/4月〜6月/見積〜納品"
done
mkdir -p "$path"

# twins: names that differ in letter case alone, as a case-sensitive server
# hands them out; Windows holds one folder for both.
mkdir -p twins/A/x twins/a/y
# twins-after: the same behind a folder "0" that the tests make at the
# destination first, so the copy meets a folder already there before either
# twin.
mkdir -p twins-after/0 twins-after/B/x twins-after/b/y

# deep: 200 levels.
path=deep
for _ in $(seq 200); do path="$path/d"; done
mkdir -p "$path"

# links: one to the folder's own parent, which a walk would follow round and
# round, and one to a folder outside the tree.
mkdir -p links/sub links-outside/x
ln -s .. links/sub/loop
ln -s ../links-outside links/outside
