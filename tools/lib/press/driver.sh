# The window driver (tools/uidriver) as the harness calls it, and the
# records it prints. Part of press.sh.

# How long one look for a window lasts: a look returns as soon as one shows,
# but a program that ends without one is noticed only after it.
press_poll_ms=500
press_wait_ms=1500

# press_uidriver ARGS...: the driver's stdout; its complaints go to a log.
press_uidriver() { wine "$press_uidriver" "$@" </dev/null 2>>"$press_stage/uidriver.log"; }
# What the driver said last (its reason, after a failure), for messages.
_press_driver_said() { tail -n 1 "$press_stage/uidriver.log" 2>/dev/null | tr -d '\r'; }

# A field of a driver record: "key=value" among tab-separated fields.
_press_field() { tr '\t' '\n' <<<"$1" | sed -n "s/^$2=//p" | head -n 1; }

# The rectangle of a driver record ("L,T,R,B") as "X,Y,W,H".
_press_rect_xywh() {
  local l t r b
  IFS=, read -r l t r b <<<"$1"
  printf '%s,%s,%s,%s' "$l" "$t" "$((r - l))" "$((b - t))"
}
