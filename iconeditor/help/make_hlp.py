#!/usr/bin/env python3
"""Makes ZwIcon's help file from its text source.

    make_hlp.py SOURCE.txt OUTPUT.HLP

The source is plain text (see the head of zwicon_help.txt for its rules). Any fault in it
stops the generator with "SOURCE:LINE: error: ..." on stderr, exit code 1 and no output file.
"""
import os
import re
import sys

import hlpfile as H

LINK = re.compile(r'\{([^{}|]*)\|([^{}|]*)\}')
CONTEXT_NAME = re.compile(r'^[A-Za-z0-9_.]+$')


class SourceError(Exception):
    def __init__(self, line, message):
        super().__init__(message)
        self.line = line


class Draft:
    """A topic while its source lines are read."""
    def __init__(self, line, context, map_number):
        self.line, self.context, self.map_number = line, context, map_number
        self.title, self.keywords, self.paragraphs = None, [], []
        self.links = []               # (line, context) of every jump, checked at the end


def spans_of(text, line, draft):
    """Splits paragraph text into plain spans and {text|context} jumps."""
    spans, at = [], 0
    for m in LINK.finditer(text):
        if m.start() > at:
            spans.append(H.Span(text[at:m.start()]))
        label, target = m.group(1).strip(), m.group(2).strip()
        if not label or not target:
            raise SourceError(line, "a link needs a text and a topic: {text|topic}")
        spans.append(H.Span(label, jump=target))
        draft.links.append((line, target))
        at = m.end()
    rest = text[at:]
    if rest:
        spans.append(H.Span(rest))
    if any(c in s.text for s in spans for c in '{}|'):
        raise SourceError(line, "unbalanced '{', '}' or '|' (a link is written {text|topic})")
    return spans


def parse(lines):
    """Returns (help title, topics) from the source lines."""
    title, drafts, draft = None, [], None
    para, para_line, para_kind = [], 0, None

    def end_paragraph():
        nonlocal para, para_kind
        if para:
            text = ' '.join(para)
            spans = spans_of(text, para_line, draft)
            if para_kind == 'item':
                p = H.Paragraph([H.Span('\u2022 ')] + spans, indent=18, first_indent=-12, space_above=3)
            elif para_kind == 'heading':
                p = H.Paragraph(spans, font=H.FONT_BOLD, space_above=10)
            else:
                p = H.Paragraph(spans)
            draft.paragraphs.append(p)
        para, para_kind = [], None

    for n, raw in enumerate(lines, 1):
        line = raw.rstrip('\r\n')
        try:
            line.encode('cp1252')
        except UnicodeEncodeError:
            raise SourceError(n, "a character that the help file cannot hold (Windows-1252 only)")
        stripped = line.strip()
        if stripped.startswith('#') and not stripped.startswith('##'):
            continue
        if not stripped:
            end_paragraph()
            continue
        if stripped.startswith('@'):
            end_paragraph()
            word, _, arg = stripped.partition(' ')
            arg = arg.strip()
            if word == '@help':
                if title is not None:
                    raise SourceError(n, "@help given twice")
                if not arg:
                    raise SourceError(n, "@help needs the help file's title")
                title = arg
            elif word == '@topic':
                parts = arg.split()
                if len(parts) not in (1, 2):
                    raise SourceError(n, "@topic needs a topic name and may have a help context number")
                if not CONTEXT_NAME.match(parts[0]):
                    raise SourceError(n, "topic name %r: only letters, digits, '_' and '.'" % parts[0])
                number = None
                if len(parts) == 2:
                    if not parts[1].isdigit():
                        raise SourceError(n, "help context number %r is not a number" % parts[1])
                    number = int(parts[1])
                draft = Draft(n, parts[0], number)
                drafts.append(draft)
            elif draft is None:
                raise SourceError(n, "%s before the first @topic" % word)
            elif word == '@title':
                if draft.title is not None:
                    raise SourceError(n, "@title given twice in topic %r" % draft.context)
                if not arg:
                    raise SourceError(n, "@title needs a text")
                draft.title = arg
            elif word == '@keywords':
                words = [k.strip() for k in arg.split(';')]
                if not arg or any(not k for k in words):
                    raise SourceError(n, "@keywords needs keywords separated by ';', none empty")
                draft.keywords += words
            else:
                raise SourceError(n, "unknown directive %r (@help, @topic, @title, @keywords)" % word)
            continue
        if draft is None:
            raise SourceError(n, "text before the first @topic")
        if stripped.startswith('## '):
            end_paragraph()
            para, para_line, para_kind = [stripped[3:].strip()], n, 'heading'
            end_paragraph()
        elif stripped.startswith('- '):
            end_paragraph()
            para, para_line, para_kind = [stripped[2:].strip()], n, 'item'
        else:
            if not para:
                para_line, para_kind = n, 'text'
            para.append(stripped)
    end_paragraph()
    return title, check(title, drafts, len(lines))


def check(title, drafts, last_line):
    if title is None:
        raise SourceError(1, "no @help line with the help file's title")
    if not drafts:
        raise SourceError(last_line, "no topics")
    seen, numbers = {}, {}
    for d in drafts:
        key = d.context.lower()
        if key in seen:
            raise SourceError(d.line, "topic %r already defined at line %d" % (d.context, seen[key]))
        seen[key] = d.line
        if d.map_number is not None:
            if d.map_number in numbers:
                raise SourceError(d.line, "help context %d already used at line %d"
                                  % (d.map_number, numbers[d.map_number]))
            numbers[d.map_number] = d.line
        if d.title is None:
            raise SourceError(d.line, "topic %r has no @title" % d.context)
        if not d.paragraphs:
            raise SourceError(d.line, "topic %r has no text" % d.context)
    for d in drafts:
        for line, target in d.links:
            if target.lower() not in seen:
                raise SourceError(line, "link to unknown topic %r" % target)
    topics = []
    for d in drafts:
        heading = H.Paragraph([H.Span(d.title)], font=H.FONT_TITLE, space_above=0)
        topics.append(H.Topic(d.context, d.title, [heading] + d.paragraphs, d.keywords, d.map_number))
    return topics


def main(argv):
    if len(argv) != 3:
        print("usage: make_hlp.py SOURCE.txt OUTPUT.HLP", file=sys.stderr)
        return 2
    source, output = argv[1], argv[2]
    try:
        with open(source, encoding='utf-8') as f:
            lines = f.readlines()
        title, topics = parse(lines)
        data = H.build(title, topics, topics[0])
    except SourceError as e:
        return fail("%s:%d: error: %s" % (source, e.line, e), output)
    except (H.HelpFileError, OSError, UnicodeDecodeError) as e:
        return fail("%s: error: %s" % (source, e), output)
    tmp = output + '.tmp'
    with open(tmp, 'wb') as f:
        f.write(data)
    os.replace(tmp, output)
    return 0


def fail(message, output):
    print(message, file=sys.stderr)
    if os.path.exists(output):
        os.remove(output)             # a damaged source leaves no help file behind
    return 1


if __name__ == '__main__':
    sys.exit(main(sys.argv))
