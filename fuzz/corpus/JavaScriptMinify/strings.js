x = (/ab+c/i).test('q\'') ? 1 : -1
