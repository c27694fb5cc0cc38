var name = `a  ${b}
  c`;  // done
