# Sourced by the end-to-end tests: what pictures of Quillet's window tell.
# Needs wid (the window) and work (a scratch folder); sizes in device pixels
# at QT_SCALE_FACTOR (1 unless set).
#   shot NAME               the window's picture, as $work/NAME.png
#   differing A B           how many pixels of pictures A and B differ below
#                           the buttons (the buttons change as the window
#                           becomes active)
#   finished NAME           true if picture NAME shows a run finished: Retry's
#                           caption in the dark ink of an enabled button (a
#                           disabled one's is grey, 190 of 255 in Qt's Fusion,
#                           109 in Windows' style) over a light drawing (the
#                           window shows Retry enabled before its first run
#                           too, over black; the darkest colour a run may
#                           pick is 0.787 grey)
#   settled NAME [SINCE]    waits until the window shows a run finished (and,
#                           with SINCE, a picture that differs from picture
#                           SINCE by over 1000 pixels), the same in the next
#                           picture too; takes it as NAME

look_px() { echo $(($1 * ${QT_SCALE_FACTOR:-1})); }
# The drawing below the buttons, as ImageMagick's -crop takes it.
below_buttons="$(look_px 788)x$(look_px 520)+0+$(look_px 45)"
shot() { import -window "$wid" "$work/$1.png" 2>/dev/null; }
differing() {
  local n k
  for k in 1 2; do
    /usr/bin/convert "$work/${!k}.png" -crop "$below_buttons" +repage "$work/drawing$k.png"
  done
  n=$(/usr/bin/compare -metric AE "$work/drawing1.png" "$work/drawing2.png" null: 2>&1 || true)
  echo "${n%% *}"
}
finished() {
  local ink light
  ink=$(/usr/bin/convert "$work/$1.png" -crop "$(look_px 49)x$(look_px 17)+$(look_px 20)+$(look_px 12)" +repage \
    -colorspace gray -format '%[fx:minima]' info:) || return 1
  light=$(/usr/bin/convert "$work/$1.png" -crop "$below_buttons" +repage \
    -colorspace gray -format '%[fx:maxima]' info:) || return 1
  awk -v i="$ink" -v l="$light" 'BEGIN { exit !(i < 0.25 && l > 0.75) }'
}
settled() {
  local name=$1 since=${2:-} end=$((SECONDS + 60))
  until shot "$name" && finished "$name" && { [ -z "$since" ] || [ "$(differing "$since" "$name")" -gt "$(look_px 1000)" ]; } &&
    shot "$name.again" && [ "$(differing "$name" "$name.again")" = 0 ]; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.1
  done
}
