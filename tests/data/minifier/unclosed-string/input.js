var s = "open
