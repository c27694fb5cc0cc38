#!/usr/bin/env python3
"""A small, plain model of Rijndael (any of 128/192/256-bit blocks and keys), written from the cipher's
definition and independent of libs/cpp/MCrypt. It produced the 192- and 256-bit-block rows of
tst_Rijndael; its 128-bit-block rows were checked against OpenSSL:

    python3 rijndael_model.py            # one row per size pair
    python3 rijndael_model.py --openssl  # the 128-bit-block rows against `openssl enc -aes-*-ecb`
"""
import subprocess
import sys


def mul(a, b):
    p = 0
    while b:
        if b & 1:
            p ^= a
        a = ((a << 1) ^ (0x11B if a & 0x80 else 0)) & 0xFF
        b >>= 1
    return p


def sbox(x):
    inv = 0 if x == 0 else next(c for c in range(1, 256) if mul(x, c) == 1)
    s = inv
    for i in range(1, 5):
        s ^= ((inv << i) | (inv >> (8 - i))) & 0xFF
    return s ^ 0x63


SBOX = [sbox(x) for x in range(256)]


def encrypt(key, block):
    nb, nk = len(block) // 4, len(key) // 4
    nr = max(nb, nk) + 6
    shifts = [0, 1, 3, 4] if nb == 8 else [0, 1, 2, 3]
    words = [list(key[4 * i:4 * i + 4]) for i in range(nk)]
    rcon = 1
    for i in range(nk, nb * (nr + 1)):
        t = list(words[i - 1])
        if i % nk == 0:
            t = [SBOX[b] for b in t[1:] + t[:1]]
            t[0] ^= rcon
            rcon = mul(rcon, 2)
        elif nk > 6 and i % nk == 4:
            t = [SBOX[b] for b in t]
        words.append([a ^ b for a, b in zip(words[i - nk], t)])
    state = [[block[4 * c + r] for c in range(nb)] for r in range(4)]

    def add_key(rnd):
        for c in range(nb):
            for r in range(4):
                state[r][c] ^= words[rnd * nb + c][r]

    def flat():
        return bytes(state[r][c] for c in range(nb) for r in range(4))

    traces = []
    add_key(0)
    for rnd in range(1, nr + 1):
        for r in range(4):
            row = [SBOX[b] for b in state[r]]
            state[r] = row[shifts[r]:] + row[:shifts[r]]
        if rnd != nr:
            for c in range(nb):
                a = [state[r][c] for r in range(4)]
                for r in range(4):
                    state[r][c] = mul(a[r], 2) ^ mul(a[(r + 1) % 4], 3) ^ a[(r + 2) % 4] ^ a[(r + 3) % 4]
        add_key(rnd)
        if rnd != nr:
            traces.append(flat())
    return flat(), traces


def row(key_bits, block_bits):
    key = bytes(range(key_bits // 8))
    block = bytes((0x11 * i) & 0xFF for i in range(block_bits // 8))
    return key, block, encrypt(key, block)[0]


def main():
    for block_bits in (128, 192, 256):
        for key_bits in (128, 192, 256):
            key, block, out = row(key_bits, block_bits)
            if "--openssl" in sys.argv and block_bits == 128:
                ssl = subprocess.run(["openssl", "enc", "-aes-%d-ecb" % key_bits, "-K", key.hex(), "-nopad"],
                                     input=block, capture_output=True, check=True).stdout
                print("key %d: %s" % (key_bits, "agrees with OpenSSL" if ssl == out else "DIFFERS from OpenSSL"))
            else:
                print(key_bits, block_bits, key.hex(), block.hex(), out.hex())


if __name__ == "__main__":
    main()
