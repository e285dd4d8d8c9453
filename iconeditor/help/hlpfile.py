"""Writes a Windows help file (.HLP, version 1.21 layout) from parsed topics.

The file is an internal file system: a 16-byte header, the internal files, and a directory
(a B+ tree of names and offsets). Topic text goes into 4 KB blocks of |TOPIC; titles,
context names, help context numbers and keywords go into their own internal files. Every tree
written here fits in one leaf page; a larger one is refused with a message.

The topic blocks are marked LZ77-compressed but hold only literals (a zero flag byte before
every eight bytes): with that marking a topic position means the same (block number times
16384 plus the place in the expanded block) to every reader, which it does not for blocks
stored plain.
"""
import struct

BLOCK = 4096                # |TOPIC block size, block header included
BLOCK_ROOM = BLOCK - 12     # room for the encoded topic links after the block header
BLOCK_DATA = 3630           # topic link bytes per block: 3630 + 3630 / 8 flag bytes fit the room
POS_STRIDE = 16384          # topic positions: block number * 16384 + 12 + place in the block
LINK_HEADER = 21            # size of a topic link's own header

FONT_TEXT, FONT_TITLE, FONT_BOLD = 0, 1, 2


class HelpFileError(Exception):
    pass


# --- small encodings ------------------------------------------------------------------------

def context_hash(name):
    """The hash under which a context name is found in |CONTEXT (letters ignore case)."""
    if not name:
        return 1
    h = 0
    for ch in name:
        c = ord(ch)
        if ch.isdigit():
            v = 10 if ch == '0' else c - 0x30
        elif 'A' <= ch.upper() <= 'Z':
            v = ord(ch.upper()) - 0x30
        elif ch == '_':
            v = 0x0D
        elif ch == '.':
            v = 0x0C
        else:
            raise HelpFileError("context name %r: only letters, digits, '_' and '.' are allowed" % name)
        h = (h * 43 + v) & 0xFFFFFFFF
    return h - (1 << 32) if h & 0x80000000 else h


def cushort(v):
    """Compressed unsigned short: one byte below 128, else two."""
    return bytes([v * 2]) if v < 128 else struct.pack('<BB', (v % 128) * 2 + 1, v // 128)


def csshort(v):
    """Compressed signed short: one byte for -64..63, else two."""
    if -64 <= v < 64:
        return bytes([(v + 64) * 2])
    v += 16384
    return struct.pack('<BB', (v % 128) * 2 + 1, v // 128)


def cslong(v):
    """Compressed signed long: two bytes for -16384..16383, else four."""
    if -16384 <= v < 16384:
        return struct.pack('<H', (v + 16384) * 2)
    v += 67108864
    return struct.pack('<HH', (v % 32768) * 2 + 1, v // 32768)


# --- B+ trees -------------------------------------------------------------------------------

def btree(structure, entries, page_size=2048, directory=False):
    """A B+ tree of one leaf page holding `entries` (already encoded, in key order)."""
    body = b''.join(entries)
    free = page_size - 8 - len(body)
    if free < 0:
        raise HelpFileError("too many entries for one %d-byte page (%s)" % (page_size, structure))
    flags = 0x0402 if directory else 0x0002
    header = struct.pack('<HHH16shhhhhhl', 0x293B, flags, page_size, structure.encode(),
                         0, 0, 0, -1, 1, 1, len(entries))
    page = struct.pack('<Hhhh', free, len(entries), -1, -1) + body + b'\0' * free
    return header + page


def zstr(text):
    return text.encode('cp1252') + b'\0'


# --- |TOPIC ---------------------------------------------------------------------------------

class Span:
    """A piece of paragraph text: plain (jump None) or a jump to a context name."""
    def __init__(self, text, jump=None):
        self.text, self.jump = text, jump


class Paragraph:
    def __init__(self, spans, font=FONT_TEXT, indent=0, first_indent=0, space_above=6):
        self.spans, self.font = spans, font
        self.indent, self.first_indent, self.space_above = indent, first_indent, space_above


class Topic:
    def __init__(self, context, title, paragraphs, keywords=(), map_number=None):
        self.context, self.title, self.paragraphs = context, title, paragraphs
        self.keywords, self.map_number = list(keywords), map_number
        self.offset = None            # TOPICOFFSET, known after layout


def paragraph_record(p):
    """(LinkData1, LinkData2) of one displayable text record holding one paragraph.

    The text is a list of strings; after each string comes one formatting command
    (font, jump start, jump end, end of paragraph), and 0xFF ends the commands."""
    strings, commands = [b''], [b'\x80' + struct.pack('<h', p.font)]
    pending = b''
    for s in p.spans:
        if s.jump:
            strings.append(pending)
            commands.append(b'\xE3' + struct.pack('<l', context_hash(s.jump)))
            strings.append(s.text.encode('cp1252'))
            commands.append(b'\x89')
            pending = b''
        else:
            pending += s.text.encode('cp1252')
    strings.append(pending)
    commands.append(b'\x82')
    data2 = b''.join(t + b'\0' for t in strings)

    bits, extra = 0, b''
    if p.space_above:
        bits |= 0x0002
        extra += csshort(p.space_above)
    if p.indent:
        bits |= 0x0010
        extra += csshort(p.indent)
    if p.first_indent:
        bits |= 0x0040
        extra += csshort(p.first_indent)
    para_info = bytes([0, 0x80]) + struct.pack('<HH', 0, bits) + extra
    data1 = cslong(len(data2)) + cushort(len(data2)) + para_info + b''.join(commands) + b'\xFF'
    return data1, data2


class Link:
    def __init__(self, kind, data1, data2, topic=None):
        self.kind, self.data1, self.data2, self.topic = kind, data1, data2, topic
        self.block = self.pos = None   # block number and TOPICPOS, known after layout
        self.chars = 0                # characters before this link in its block

    @property
    def size(self):
        return LINK_HEADER + len(self.data1) + len(self.data2)


TOPIC_HEADER_SIZE = 28


def layout_links(topics):
    """Places every topic link in a block and gives each topic its TOPICOFFSET.

    A link never crosses a block boundary, and a topic header stays in the block of its
    first paragraph, so positions and offsets mean the same to every reader."""
    links = []
    for t in topics:
        links.append(Link(2, b'\0' * TOPIC_HEADER_SIZE, t.title.encode('cp1252'), t))
        for p in t.paragraphs:
            links.append(Link(0x20, *paragraph_record(p)))
    links.append(Link(2, b'\0' * TOPIC_HEADER_SIZE, b''))   # end marker, no usable data

    block, used, chars = 0, 0, 0
    for i, link in enumerate(links):
        need = link.size
        if link.kind == 2 and i + 1 < len(links) and links[i + 1].kind == 0x20:
            need += links[i + 1].size
        if need > BLOCK_DATA:
            raise HelpFileError("a paragraph of topic %r is too long for one block"
                                % (link.topic.title if link.topic else ''))
        if used + need > BLOCK_DATA:
            block, used, chars = block + 1, 0, 0
        link.block, link.chars = block, chars
        link.pos = 12 + block * POS_STRIDE + used
        used += link.size
        if link.kind == 0x20:
            chars += len(link.data2)
        if link.topic:
            link.topic.offset = block * 32768 + link.chars
    return links


def literals(data):
    """LZ77 stream of `data` made of literals only: a zero flag byte before each 8 bytes."""
    return b''.join(b'\0' + data[i:i + 8] for i in range(0, len(data), 8))


def topic_file(topics):
    links = layout_links(topics)
    headers = [l for l in links if l.kind == 2]
    # Topic headers: size of the topic's links, browse order, number, regions, next topic.
    for n, h in enumerate(headers):
        nxt = headers[n + 1] if n + 1 < len(headers) else None
        i = links.index(h)
        end = links.index(nxt) if nxt else len(links)
        size = sum(l.size for l in links[i:end])
        scroll = links[i + 1].pos if i + 1 < end else -1
        h.data1 = struct.pack('<llllll l', size, -1, -1, n, -1, scroll, nxt.pos if nxt else -1)

    blocks = []
    for b in range(links[-1].block + 1):
        in_block = [l for l in links if l.block == b]
        before = [l for l in links if l.block < b]
        last_link = before[-1].pos if before else -1
        last_header = [l for l in before if l.kind == 2]
        data = b''
        for l in in_block:
            k = links.index(l)
            prev = links[k - 1].pos if k > 0 else -1
            nxt = links[k + 1].pos if k + 1 < len(links) else -1
            data += struct.pack('<lllllB', l.size, len(l.data2), prev, nxt,
                                LINK_HEADER + len(l.data1), l.kind) + l.data1 + l.data2
        header = struct.pack('<lll', last_link, in_block[0].pos,
                             last_header[-1].pos if last_header else -1)
        data = literals(data)
        if b < links[-1].block:
            data += b'\0' * (BLOCK_ROOM - len(data))
        blocks.append(header + data)
    return b''.join(blocks)


# --- the other internal files ---------------------------------------------------------------

def system_file(title, contents):
    # The main window's definition gives the viewer its caption.
    window = struct.pack('<H10s9s51shhhhhLL', 0x0007, b'main', b'main', title.encode('cp1252')[:50],
                         0, 0, 0, 0, 1, 0xFFFFFF, 0xFFFFFF)
    recs = [(1, zstr(title)), (3, struct.pack('<l', contents.offset)), (6, window)]
    out = struct.pack('<HHHlH', 0x036C, 21, 1, 0, 4)   # flags 4: LZ77 topic blocks of 4 KB
    for kind, data in recs:
        out += struct.pack('<HH', kind, len(data)) + data
    return out


def font_file():
    faces = [b'Arial']
    face_width = 20
    # Attributes, half-points, family (3 = swiss), face index, colour, unused background.
    fonts = [(0, 20), (1, 28), (1, 20)]           # text, topic title, bold text
    out = struct.pack('<HHHH', len(faces), len(fonts), 8, 8 + face_width * len(faces))
    out += b''.join(f.ljust(face_width, b'\0') for f in faces)
    for attr, half_points in fonts:
        out += struct.pack('<BBBH3s3s', attr, half_points, 3, 0, b'\0\0\0', b'\xff\xff\xff')
    return out


def context_file(topics):
    entries = sorted((context_hash(t.context), t.offset) for t in topics)
    return btree('L4', [struct.pack('<ll', h, o) for h, o in entries])


def ctxomap_file(topics):
    mapped = sorted((t.map_number, t.offset) for t in topics if t.map_number is not None)
    return struct.pack('<h', len(mapped)) + b''.join(struct.pack('<ll', m, o) for m, o in mapped)


def title_file(topics):
    return btree('Lz', [struct.pack('<l', t.offset) + zstr(t.title)
                        for t in sorted(topics, key=lambda t: t.offset)])


def keyword_files(topics):
    """|KWBTREE (keyword, count, offset into |KWDATA), |KWDATA (topic offsets), |KWMAP."""
    index = {}
    for t in topics:
        for k in t.keywords:
            key = index.setdefault(k.lower(), (k, []))
            if t.offset not in key[1]:
                key[1].append(t.offset)
    entries, data = [], b''
    for low in sorted(index):
        word, offsets = index[low]
        entries.append(zstr(word) + struct.pack('<hl', len(offsets), len(data)))
        data += b''.join(struct.pack('<l', o) for o in sorted(offsets))
    return btree('F24', entries), data, struct.pack('<lH', 0, 0)


# --- the file system ------------------------------------------------------------------------

def internal(content):
    return struct.pack('<llB', len(content) + 9, len(content), 4) + content


def build(title, topics, contents):
    """The bytes of the help file: `contents` is the topic shown first."""
    topic = topic_file(topics)
    kwbtree, kwdata, kwmap = keyword_files(topics)
    files = {
        '|SYSTEM': system_file(title, contents),
        '|TOPIC': topic,
        '|FONT': font_file(),
        '|CONTEXT': context_file(topics),
        '|CTXOMAP': ctxomap_file(topics),
        '|TTLBTREE': title_file(topics),
        '|KWBTREE': kwbtree,
        '|KWDATA': kwdata,
        '|KWMAP': kwmap,
    }
    body, offsets, at = b'', {}, 16
    for name in sorted(files):
        offsets[name] = at + len(body)
        body += internal(files[name])
    directory = internal(btree('z4', [zstr(n) + struct.pack('<l', offsets[n]) for n in sorted(files)],
                               page_size=1024, directory=True))
    dir_start = at + len(body)
    total = dir_start + len(directory)
    return struct.pack('<llll', 0x00035F3F, dir_start, -1, total) + body + directory
