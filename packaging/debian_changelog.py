#!/usr/bin/python3
"""Writes CHANGELOG.md (Keep a Changelog) in the form of a Debian changelog, for the package's
/usr/share/doc: one entry per released version, newest first, each item a bullet.

Usage: debian_changelog.py CHANGELOG.md PACKAGE VERSION MAINTAINER OUTPUT
While CHANGELOG.md has no section for VERSION yet, its Unreleased items make VERSION's entry,
for the distribution UNRELEASED, dated today.
"""

import datetime
import re
import sys
import textwrap


def releases(markdown, version):
    """[(version, distribution, date, [item, ...]), ...], newest first."""
    released, unreleased = [], []
    for block in re.split(r"^## ", markdown, flags=re.M)[1:]:
        heading, _, body = block.partition("\n")
        items = [re.sub(r"\s+", " ", item).strip()
                 for item in re.findall(r"^- (.*(?:\n  .*)*)", body, re.M)]
        match = re.match(r"\[(\d[^\]]*)\] - (\d{4}-\d{2}-\d{2})", heading)
        if match:
            released.append((match.group(1), "unstable", match.group(2), items))
        elif heading.startswith("[Unreleased]") and items:
            unreleased = [(version, "UNRELEASED", datetime.date.today().isoformat(), items)]
    if version in [entry[0] for entry in released]:
        return released
    return unreleased + released


def main():
    source, package, version, maintainer, output = sys.argv[1:6]
    with open(source, encoding="utf-8") as text:
        entries = releases(text.read(), version)
    if version not in [entry[0] for entry in entries]:
        sys.exit(f"{source}: nothing written down for version {version}")
    lines = []
    for number, distribution, date, items in entries:
        lines += [f"{package} ({number}) {distribution}; urgency=medium", ""]
        for item in items:
            lines += textwrap.wrap(item.replace("`", ""), 76, initial_indent="  * ",
                                   subsequent_indent="    ")
        day = datetime.datetime.strptime(date, "%Y-%m-%d").replace(tzinfo=datetime.timezone.utc)
        lines += ["", f" -- {maintainer}  {day.strftime('%a, %d %b %Y %H:%M:%S %z')}", ""]
    with open(output, "w", encoding="utf-8") as out:
        out.write("\n".join(lines))


if __name__ == "__main__":
    main()
