#!/usr/bin/env python3
"""Prints each argument as a C++ GBK byte-escape literal with the readable text as a comment.

Escapes are split where a hex digit follows, so "\xEA" "1" never merges into one escape.
"""
import sys

def literal(text: str) -> str:
    parts, current, last_was_escape = [], "", False
    for byte in text.encode("gbk"):
        ch = chr(byte)
        if byte >= 0x80:
            current += "\\x%02X" % byte
            last_was_escape = True
            continue
        if last_was_escape and ch in "0123456789abcdefABCDEF":
            parts.append(current)
            current = ""
        current += {"\\": "\\\\", '"': '\\"', "\r": "\\r", "\n": "\\n"}.get(ch, ch)
        last_was_escape = False
    parts.append(current)
    return " ".join('"%s"' % p for p in parts)

for arg in sys.argv[1:]:
    readable = arg.replace("\r", "\\r").replace("\n", "\\n")
    print("%s  // %s" % (literal(arg), readable))
